#pragma once

#include "database/WaveData.h"

#include <cstdint>
#include <memory>
#include <string>

class MappedFile;
class TextTables;
class ValidRecordsArray;

// One open wavelength table file (`.swt`): one data source. Records are 9 bytes each, sorted by
// wavelength, read one at a time at their offset; the file is never loaded whole. Also keeps the
// state of the outward scan that feeds the display list from this file.
class WavetableFile {
public:
    static constexpr uint32_t kNotFound = 0xFFFFFFFF;

    // Opens `path` for reading; `fileName` becomes the path's file name in lower case. A file
    // that cannot be opened, or is shorter than 8 bytes, has no records. `tables` decides which
    // records pass the filter and must outlive the file.
    WavetableFile(const std::string& path, std::string label, const TextTables& tables);
    ~WavetableFile();
    WavetableFile(const WavetableFile&) = delete;
    WavetableFile& operator=(const WavetableFile&) = delete;

    // Record access by index. A short record at the end of the file keeps, in `current`, the
    // bytes that could not be read.
    void ReadRecord(uint32_t index);
    const WaveData& Current() const { return current; }
    WaveData RecordAt(uint32_t index) const;  // leaves `current` alone; zeros past the end
    int32_t WavelengthAt(uint32_t index);     // -1 past the last record
    void CopyRecord(uint32_t index, WaveData& out);
    // A record with exactly `wavelength` when there is one, else the last record below it;
    // kNotFound when the wavelength lies outside the file's range or the file is empty.
    uint32_t FindRecord(int32_t wavelength);

    uint32_t RecordCount() const { return m_recordCount; }
    uint32_t LastIndex() const { return m_recordCount - 1; }  // all bits set when empty
    uint32_t ScannedCount() const;

    // The outward scan.
    bool Passes(const LineRecord& record) const;
    void SetLimits(int32_t low, int32_t high);  // high <= 0 means no upper limit
    void Position(int32_t target);
    void Step(ValidRecordsArray& list);
    bool Contains(int32_t wavelength);
    // Reads on from the scan's position, whatever the limits, until the last record read upward
    // lies above `high` and the last read downward below `low` (0.001 Å), or the file ends:
    // afterwards every passing record from `low` to `high` is listed. Reads only records not yet
    // read; bounds about the scan's position cost at most one record beyond each.
    void ReadAround(ValidRecordsArray& list, int32_t low, int32_t high);
    bool Done() const { return done != 0; }
    // Whether a step would read anything: false once done or once both limits are reached.
    bool CanStep() const;

    // Source settings.
    bool IsActive() const { return active != 0; }
    void Activate() { active = 1; }
    void Deactivate() { active = 0; }
    const std::string& FileName() const { return fileName; }
    const std::string& Label() const { return label; }
    void SetLabel(std::string text) { label = std::move(text); }
    double Scale() const { return scale; }
    void SetScale(double value) { scale = value; }
    bool UseRatios() const { return useRatios != 0; }
    void SetUseRatios(bool use) { useRatios = use ? 1 : 0; }
    void SetMinimumIntensity(double value) { minIntensity = value; }
    uint16_t TableIndex() const { return m_tableIndex; }
    void SetTableIndex(uint16_t index) { m_tableIndex = index; }

private:
    void ReadInto(uint32_t index, WaveData& data) const;
    void StartScanAt(uint32_t index);
    void ApplyShortcut();
    void StepUp(ValidRecordsArray& list);
    void StepDown(ValidRecordsArray& list);
    void ReadUp(ValidRecordsArray& list);
    void ReadDown(ValidRecordsArray& list);
    void NoteIfDone();

    uint8_t unfiltered = 1;
    uint8_t done = 1;
    uint32_t lowerCursor = 0;
    uint32_t upperCursor = 0;
    int32_t lowerLimit = 0;
    int32_t upperLimit = 2147483647;
    int32_t lastDown = 2147483647;
    int32_t lastUp = 0;
    WaveData current;
    uint8_t useRatios = 0;
    double minIntensity = 0.0;
    std::string fileName;
    std::string label;
    uint8_t active = 0;
    double scale = 1.0;

    std::unique_ptr<MappedFile> m_file;
    uint32_t m_recordCount = 0;
    uint16_t m_tableIndex = 0;
    const TextTables& m_tables;
};
