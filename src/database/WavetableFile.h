#pragma once

#include "database/WaveData.h"
#include "database/WavelengthIndex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class AtomicDataFile;
class TableReader;
class TextTables;
class ValidRecordsArray;

// One open wavelength table file (`.swt`): one data source. Records are 9 bytes each, sorted by
// wavelength, read one at a time at their offset; the file is never loaded whole. Also keeps the
// state of the outward scan that feeds the display list from this file.
//
// A damaged file is used as far as it can be: bytes after the last whole record are ignored,
// and a file whose records turn out not to be in order of wavelength (checked pair by pair as
// the scan reads them, so opening stays cheap) has no usable records from then on, since its
// lines would land in the wrong places. Each such problem is kept for the caller to report.
class WavetableFile {
public:
    static constexpr uint32_t kNotFound = 0xFFFFFFFF;

    enum Problem : uint8_t {
        kPartialRecord = 1,  // the size is not a whole number of records
        kUnsorted = 2,       // two neighbouring records out of wavelength order
        kUnreadable = 4,     // a record could not be read: the file shrank or failed
        kAtomicData = 8,     // the atomic data file beside it is damaged or another table's
    };

    // Opens `path` for reading; FileName() becomes the path's file name in lower case. A file
    // that cannot be opened, or is shorter than one record, has no records. `tables` decides
    // which records pass the filter and must outlive the file.
    WavetableFile(const std::string& path, std::string label, const TextTables& tables);
    ~WavetableFile();
    WavetableFile(const WavetableFile&) = delete;
    WavetableFile& operator=(const WavetableFile&) = delete;

    // Opens the path (again, after the file changed on disk), forgetting its problems; the
    // scan is done until positioned again.
    void Reopen();
    // Whether the file at the path is no longer what was opened (replaced, resized, rewritten).
    bool ChangedOnDisk() const;
    const std::string& Path() const { return m_path; }
    // The Problem bits found so far, and those not yet taken for a report.
    uint8_t Problems() const { return m_problems; }
    uint8_t TakeNewProblems();
    // Whether the scan stopped on an unreadable or out-of-order record since last asked: the
    // display list then holds lines it should not and must be rebuilt.
    bool TakeTrouble() { return std::exchange(m_troubled, false); }
    bool Troubled() const { return m_troubled; }
    // What a problem bit means for this file, for a report: one line naming the file.
    std::string ProblemText(Problem problem) const;

    // The atomic data of the table's lines from the file beside it (`NAME.swa`), or null when
    // there is none or it cannot be used.
    const AtomicDataFile* AtomicData() const { return m_atomic.get(); }

    // Record access by index. A record that cannot be read (past the end) reads as zeros.
    void ReadRecord(uint32_t index);
    const WaveData& Current() const { return m_current; }
    WaveData RecordAt(uint32_t index) const;  // leaves Current() alone; zeros past the end
    int32_t WavelengthAt(uint32_t index);     // -1 past the last record
    void CopyRecord(uint32_t index, WaveData& out);
    // A record with exactly `wavelength` when there is one, else the last record below it;
    // kNotFound when the wavelength lies outside the file's range or the file is empty.
    uint32_t FindRecord(int32_t wavelength);
    // The first record at or above `wavelength`, or RecordCount() when there is none.
    uint32_t FirstAtOrAbove(int64_t wavelength);

    // The usable records: none once the file was found out of order.
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
    bool Done() const { return m_done != 0; }
    // Whether a step would read anything: false once done or once both limits are reached.
    bool CanStep() const;

    // Source settings.
    bool IsActive() const { return m_active != 0; }
    void Activate() { m_active = 1; }
    void Deactivate() { m_active = 0; }
    const std::string& FileName() const { return m_fileName; }
    const std::string& Label() const { return m_label; }
    void SetLabel(std::string text) { m_label = std::move(text); }
    double Scale() const { return m_scale; }
    void SetScale(double value) { m_scale = value; }
    bool UseRatios() const { return m_useRatios != 0; }
    void SetUseRatios(bool use) { m_useRatios = use ? 1 : 0; }
    void SetMinimumIntensity(double value) { m_minIntensity = value; }
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
    bool BelowUpperLimit() const;
    bool AboveLowerLimit() const;
    bool ReadScanned(uint32_t index, bool upward);
    void Fail(Problem problem, uint32_t index);
    void OpenAtomicData();

    uint8_t m_unfiltered = 1;
    uint8_t m_done = 1;
    uint32_t m_lowerCursor = 0;
    uint32_t m_upperCursor = 0;
    int32_t m_lowerLimit = 0;
    int32_t m_upperLimit = 2147483647;
    int32_t m_lastDown = 2147483647;
    int32_t m_lastUp = 0;
    WaveData m_current;
    uint8_t m_useRatios = 0;
    double m_minIntensity = 0.0;
    std::string m_fileName;
    std::string m_label;
    uint8_t m_active = 0;
    double m_scale = 1.0;

    std::string m_path;
    std::unique_ptr<TableReader> m_file;
    WavelengthIndex m_index;
    std::unique_ptr<AtomicDataFile> m_atomic;
    std::string m_atomicProblem;
    uint32_t m_recordCount = 0;
    // Wavelengths at the two ends of the part read so far, for the order check.
    int32_t m_lowestRead = 0;
    int32_t m_highestRead = 0;
    bool m_readAny = false;
    uint32_t m_faultAt = 0;  // the record found unreadable, or the upper one of a pair out of order
    bool m_troubled = false;
    uint8_t m_problems = 0;
    uint8_t m_reported = 0;
    uint16_t m_tableIndex = 0;
    const TextTables& m_tables;
};
