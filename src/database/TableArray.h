#pragma once

#include "database/ValidRecordsArray.h"
#include "database/WavetableFile.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TextTables;

// All table files (data sources), the display list they feed and the display settings.
// Filling is incremental: a rebuild positions every file at the target, and fill steps, driven
// from idle time, read each active file outward one record per direction.
class TableArray {
public:
    static constexpr int32_t kFullSpan = 2147483647;

    // `tables` must outlive this object.
    explicit TableArray(const TextTables& tables);
    ~TableArray();
    TableArray(const TableArray&) = delete;
    TableArray& operator=(const TableArray&) = delete;

    // Adds every `*.swt` file of `directory` (extension in any case), sorted by name ignoring
    // case, each labelled with its file name less the extension.
    void ScanDirectory(const std::string& directory);
    void AddFile(const std::string& path, const std::string& label);
    void AddTable(std::unique_ptr<WavetableFile> file);

    size_t FileCount() const { return m_files.size(); }
    WavetableFile& FileAt(size_t index) { return *m_files[index]; }
    const WavetableFile& FileAt(size_t index) const { return *m_files[index]; }
    void Activate(size_t index);    // no rebuild: the caller rebuilds
    void Deactivate(size_t index);  // rebuilds
    bool IsActive(size_t index) const { return m_files[index]->IsActive(); }

    ValidRecordsArray& DisplayList() { return m_displayList; }
    const ValidRecordsArray& DisplayList() const { return m_displayList; }

    // Empties the list, positions every file at the target and runs one fill step.
    bool Rebuild();
    // Runs one step on every active file; true while some active file can still read.
    bool FillStep();
    // Runs fill steps for about `budget`; true while work remains.
    bool Fill(std::chrono::microseconds budget);
    // Makes `wavelength` (0.001 Å) current: the cursor ends on the line nearest to it, and the
    // list is refilled around it unless every active file has already read past it.
    void GoToWavelength(int32_t wavelength);
    void GoToDisplayValue(double value);  // a number in the current display units
    // Moves the cursor n lines up (n > 0, longer wavelengths) or down; returns the moves made.
    int MoveBy(int lines);
    // Fraction of the active files' records read so far: 0 with no active file, 1 when done.
    double Progress() const;

    int Decimals() const { return decimals; }
    void SetDecimals(int value) { decimals = value; }
    int UnitMode() const { return unitMode; }
    void SetUnitMode(int value) { unitMode = value; }
    int32_t Span() const { return span; }
    void SetSpan(int32_t halfWidth);
    bool UseRatios() const { return useRatios != 0; }
    void SetUseRatios(bool use);  // no rebuild
    double MinIntensity() const { return minIntensity; }
    void SetMinimumIntensity(double value);  // no rebuild

private:
    void ApplyScanWindow();
    bool EveryActiveFileContains(int32_t wavelength);

    const TextTables& m_tables;
    std::vector<std::unique_ptr<WavetableFile>> m_files;
    int32_t decimals = 3;
    ValidRecordsArray m_displayList;
    uint8_t useRatios = 0;
    double minIntensity = 0.0;
    int32_t span = kFullSpan;
    int32_t unitMode = 1;
};
