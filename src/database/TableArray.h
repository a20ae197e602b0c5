#pragma once

#include "database/DisplaySettings.h"
#include "database/RecordReader.h"
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
class TableArray : public RecordReader {
public:
    static constexpr int32_t kFullSpan = DisplaySettings::kFullSpan;

    // `tables` must outlive this object.
    explicit TableArray(const TextTables& tables);
    ~TableArray() override;
    TableArray(const TableArray&) = delete;
    TableArray& operator=(const TableArray&) = delete;

    // Adds every `*.swt` file of `directory` (extension in any case), sorted by name ignoring
    // case, each labelled with its file name less the extension. Other entries so named (a
    // folder, a FIFO, a broken link) are left unopened, each with a warning.
    void ScanDirectory(const std::string& directory);
    void AddFile(const std::string& path, const std::string& label);
    void AddTable(std::unique_ptr<WavetableFile> file);

    size_t FileCount() const { return m_files.size(); }
    WavetableFile& FileAt(size_t index) { return *m_files[index]; }
    const WavetableFile& FileAt(size_t index) const { return *m_files[index]; }
    void Activate(size_t index);                // no rebuild: the caller rebuilds
    void SetActive(size_t index, bool active);  // no rebuild: the caller rebuilds
    void Deactivate(size_t index);              // rebuilds
    bool IsActive(size_t index) const { return m_files[index]->IsActive(); }
    WaveData RecordAt(uint16_t tableIndex, uint32_t recordIndex) const override;
    uint32_t RecordCount(uint16_t tableIndex) const override;
    uint32_t FirstAtOrAbove(uint16_t tableIndex, int64_t wavelength) const override;

    ValidRecordsArray& DisplayList() { return m_displayList; }
    const ValidRecordsArray& DisplayList() const { return m_displayList; }

    // Reads again the files that changed on disk, empties the list, positions every file at
    // the target and runs one fill step.
    bool Rebuild();
    // Reads again every file that changed on disk since it was opened (replaced, resized or
    // rewritten: a few stat calls) and, when one did, restarts the fill; true then.
    bool CheckFiles();
    // What went wrong with the files since last asked, each problem of each file once: one
    // line each, naming the file.
    std::vector<std::string> TakeWarnings();
    // Runs one step on every active file; true while some active file can still read.
    bool FillStep();
    // Runs fill steps for about `budget`; true while work remains.
    bool Fill(std::chrono::microseconds budget);
    // Completes the list from `low` to `high` (0.001 Å) at once: every active file reads on
    // until it has read past both, beyond its scan limits if need be, so that every passing
    // line between them is listed. The work is the records not yet read between where each
    // file's scan stands and the bounds.
    void FillAround(int32_t low, int32_t high);
    // Makes `wavelength` (0.001 Å) current: the cursor ends on the line nearest to it, and the
    // list is refilled around it unless every active file has already read past it.
    void GoToWavelength(int32_t wavelength);
    // Goes to a number typed in the current display units; false, changing nothing, when it
    // gives no wavelength (not finite, or a wave number of 0 or less).
    bool GoToDisplayValue(double value);
    // Moves the cursor up to `lines` lines up (> 0, longer wavelengths) or down, a line listed
    // by several sources counting once. Returns the lines moved, signed like `lines`; 0 when
    // the cursor stayed.
    int MoveBy(int lines);
    // Makes the line at `slot` of the display list current (a clicked row, a dragged scroll
    // bar); false when nothing moved.
    bool MoveToSlot(uint32_t slot);
    // Fraction of the active files' records read so far: 0 with no active file, 1 when done.
    double Progress() const;

    // The display settings, and a count that changes with every call of one of their setters
    // and with every source added, activated or deactivated; views compare it with the one
    // they last painted with.
    const DisplaySettings& Settings() const { return m_settings; }
    uint64_t SettingsRevision() const { return m_settingsRevision; }

    int Decimals() const { return m_settings.decimals; }
    void SetDecimals(int value);  // 0 to 4: FormatWavelength shows nothing for others
    ::UnitMode UnitMode() const { return m_settings.unitMode; }
    void SetUnitMode(::UnitMode value);
    int32_t Span() const { return m_settings.span; }
    void SetSpan(int32_t halfWidth);  // 0.001 Å either side of the current line
    // The scan limited to `angstrom` either side of the current line (a graph's range), or not
    // limited when that is not a usable span.
    void LimitScanTo(double angstrom);
    bool IsScanLimited() const { return Span() != kFullSpan; }
    bool UseRatios() const { return m_settings.useRatios; }
    void SetUseRatios(bool use);  // no rebuild
    double MinIntensity() const { return m_settings.minIntensity; }
    void SetMinimumIntensity(double value);  // intensity code; no rebuild
    bool Linear() const { return m_settings.linear; }
    void SetLinear(bool linear);

private:
    void ApplyScanWindow();
    void ApplyScanWindow(WavetableFile& file) const;
    bool EveryActiveFileContains(int32_t wavelength);
    void Restart();
    bool ReopenIfChanged(WavetableFile& file);
    bool ReopenChanged();
    bool RestartIfTroubled();

    const TextTables& m_tables;
    std::vector<std::unique_ptr<WavetableFile>> m_files;
    ValidRecordsArray m_displayList;
    DisplaySettings m_settings;
    uint64_t m_settingsRevision = 0;
    std::vector<std::string> m_warnings;
};
