#include "database/TableArray.h"

#include "database/WavelengthFormat.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr size_t kMaxFiles = std::numeric_limits<uint16_t>::max();
constexpr int kStepsBetweenClockReads = 256;

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Why a directory entry named like a table is none.
std::string WhyNotATable(const std::filesystem::directory_entry& entry)
{
    std::error_code ec;
    if (entry.is_symlink(ec) && !entry.exists(ec)) {
        return "is a broken link";
    }
    return "is not a regular file";
}

}  // namespace

TableArray::TableArray(const TextTables& tables) : m_tables(tables), m_displayList(*this) {}

TableArray::~TableArray() = default;

void TableArray::ScanDirectory(const std::string& directory)
{
    std::vector<std::filesystem::path> found;
    std::vector<std::string> skipped;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= 4 || ToLower(name.substr(name.size() - 4)) != ".swt") {
            continue;
        }
        // Told from its status alone: opening a FIFO would wait for a writer.
        if (entry.is_regular_file(ec)) {
            found.push_back(entry.path());
        } else {
            skipped.push_back(entry.path().string() + ": " + WhyNotATable(entry) +
                              "; not read as a table");
        }
    }
    std::sort(skipped.begin(), skipped.end());
    m_warnings.insert(m_warnings.end(), skipped.begin(), skipped.end());
    // Name order, ignoring case, gives the same source numbers on every start.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        const std::string lowerA = ToLower(a.filename().string());
        const std::string lowerB = ToLower(b.filename().string());
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    for (const auto& path : found) {
        const std::string name = path.filename().string();
        AddFile(path.string(), name.substr(0, name.size() - 4));
    }
}

void TableArray::AddFile(const std::string& path, const std::string& label)
{
    AddTable(std::make_unique<WavetableFile>(path, label, m_tables));
}

void TableArray::AddTable(std::unique_ptr<WavetableFile> file)
{
    if (m_files.size() >= kMaxFiles) {
        return;  // a line refers to its file by a 16-bit index
    }
    file->SetTableIndex(static_cast<uint16_t>(m_files.size()));
    file->SetUseRatios(m_settings.useRatios);
    file->SetMinimumIntensity(m_settings.minIntensity);
    ApplyScanWindow(*file);
    file->Activate();
    m_files.push_back(std::move(file));
    ++m_settingsRevision;  // a new active source
}

void TableArray::Activate(size_t index)
{
    SetActive(index, true);
}

void TableArray::SetActive(size_t index, bool active)
{
    if (active) {
        m_files[index]->Activate();
    } else {
        m_files[index]->Deactivate();
    }
    ++m_settingsRevision;
}

void TableArray::Deactivate(size_t index)
{
    m_files[index]->Deactivate();
    ++m_settingsRevision;
    Rebuild();
}

WaveData TableArray::RecordAt(uint16_t tableIndex, uint32_t recordIndex) const
{
    if (tableIndex >= m_files.size()) {
        return {};
    }
    return m_files[tableIndex]->RecordAt(recordIndex);
}

uint32_t TableArray::RecordCount(uint16_t tableIndex) const
{
    return tableIndex < m_files.size() ? m_files[tableIndex]->RecordCount() : 0;
}

uint32_t TableArray::FirstAtOrAbove(uint16_t tableIndex, int64_t wavelength) const
{
    return tableIndex < m_files.size() ? m_files[tableIndex]->FirstAtOrAbove(wavelength) : 0;
}

void TableArray::ApplyScanWindow()
{
    for (auto& file : m_files) {
        ApplyScanWindow(*file);
    }
}

void TableArray::ApplyScanWindow(WavetableFile& file) const
{
    if (m_settings.span == kFullSpan) {
        // Not a window about the current line, which would end short of the far wavelengths
        // of a damaged table.
        file.SetLimits(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
        return;
    }
    const int64_t current = m_displayList.CurrentWavelength();
    file.SetLimits(ClampToInt32(current - m_settings.span),
                   ClampToInt32(current + m_settings.span));
}

bool TableArray::Rebuild()
{
    ReopenChanged();
    Restart();
    return FillStep();
}

void TableArray::Restart()
{
    m_displayList.Reset();
    ApplyScanWindow();
    for (auto& file : m_files) {
        file->Position(m_displayList.Target());
    }
}

bool TableArray::ReopenIfChanged(WavetableFile& file)
{
    if (!file.ChangedOnDisk()) {
        return false;
    }
    file.Reopen();
    m_warnings.push_back(file.Path() + ": changed on disk; read again");
    return true;
}

bool TableArray::ReopenChanged()
{
    bool reopened = false;
    for (auto& file : m_files) {
        reopened = ReopenIfChanged(*file) || reopened;
    }
    if (reopened) {
        ++m_settingsRevision;  // what the sources hold changed, as when one is added
    }
    return reopened;
}

bool TableArray::CheckFiles()
{
    if (!ReopenChanged()) {
        return false;
    }
    Restart();
    return true;
}

// A file whose scan stopped on a bad record may have listed lines before it did: they go, and
// the list is filled again without it (or with it read afresh, when it changed on disk).
bool TableArray::RestartIfTroubled()
{
    bool troubled = false;
    for (auto& file : m_files) {
        if (file->TakeTrouble()) {
            troubled = true;
            ReopenIfChanged(*file);
        }
    }
    if (troubled) {
        ++m_settingsRevision;
        Restart();
    }
    return troubled;
}

bool TableArray::FillStep()
{
    bool workLeft = false;
    bool troubled = false;
    for (auto& file : m_files) {
        if (file->IsActive()) {
            file->Step(m_displayList);
            workLeft = workLeft || file->CanStep();
            troubled = troubled || file->Troubled();
        }
    }
    return (troubled && RestartIfTroubled()) || workLeft;
}

std::vector<std::string> TableArray::TakeWarnings()
{
    std::vector<std::string> warnings = std::move(m_warnings);
    m_warnings.clear();
    for (auto& file : m_files) {
        const uint8_t fresh = file->TakeNewProblems();
        for (auto problem : {WavetableFile::kPartialRecord, WavetableFile::kUnsorted,
                             WavetableFile::kUnreadable, WavetableFile::kAtomicData}) {
            if ((fresh & problem) != 0) {
                warnings.push_back(file->ProblemText(problem));
            }
        }
    }
    return warnings;
}

bool TableArray::Fill(std::chrono::microseconds budget)
{
    const auto deadline = std::chrono::steady_clock::now() + budget;
    while (true) {
        for (int i = 0; i < kStepsBetweenClockReads; ++i) {
            if (!FillStep()) {
                return false;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return true;
        }
    }
}

void TableArray::FillAround(int32_t low, int32_t high)
{
    // A restart drops a bad file or reads a changed one afresh; a file that keeps changing
    // under the loop must not hold it forever.
    for (size_t pass = 0; pass <= m_files.size() + 1; ++pass) {
        for (auto& file : m_files) {
            if (file->IsActive()) {
                file->ReadAround(m_displayList, low, high);
            }
        }
        if (!RestartIfTroubled()) {
            return;
        }
    }
}

bool TableArray::EveryActiveFileContains(int32_t wavelength)
{
    // A file read to its end has listed everything it has, whatever its range.
    return std::all_of(m_files.begin(), m_files.end(), [wavelength](const auto& file) {
        return !file->IsActive() || file->Done() || file->Contains(wavelength);
    });
}

void TableArray::GoToWavelength(int32_t wavelength)
{
    const bool covered = EveryActiveFileContains(wavelength);
    // Inside a list that already holds everything around the wavelength only the cursor moves.
    if (m_displayList.SetTarget(wavelength) || !covered) {
        Rebuild();
    } else {
        ApplyScanWindow();  // a limited span follows the new line
    }
}

bool TableArray::GoToDisplayValue(double value)
{
    const std::optional<int32_t> wavelength = DisplayValueToWavelength(m_settings, value);
    if (!wavelength) {
        return false;
    }
    GoToWavelength(*wavelength);
    return true;
}

bool TableArray::MoveToSlot(uint32_t slot)
{
    if (!m_displayList.SetCursor(slot)) {
        return false;
    }
    ApplyScanWindow();
    return true;
}

int TableArray::MoveBy(int lines)
{
    const int moved = m_displayList.Move(lines);
    ApplyScanWindow();
    return moved;
}

double TableArray::Progress() const
{
    double scanned = 0.0;
    double total = 0.0;
    for (const auto& file : m_files) {
        if (file->IsActive()) {
            scanned += file->ScannedCount();
            total += file->RecordCount();
        }
    }
    return total > 0.0 ? scanned / total : 0.0;
}

void TableArray::SetDecimals(int value)
{
    m_settings.decimals = value;
    ++m_settingsRevision;
}

void TableArray::SetUnitMode(::UnitMode value)
{
    m_settings.unitMode = value;
    ++m_settingsRevision;
}

void TableArray::LimitScanTo(double angstrom)
{
    const double span = std::trunc(angstrom * 1000.0);
    SetSpan(span > 0.0 && span < kFullSpan ? static_cast<int32_t>(span) : kFullSpan);
}

void TableArray::SetSpan(int32_t halfWidth)
{
    m_settings.span = halfWidth;
    ++m_settingsRevision;
    ApplyScanWindow();
}

void TableArray::SetUseRatios(bool use)
{
    m_settings.useRatios = use;
    ++m_settingsRevision;
    for (auto& file : m_files) {
        file->SetUseRatios(use);
    }
}

void TableArray::SetMinimumIntensity(double value)
{
    m_settings.minIntensity = value;
    ++m_settingsRevision;
    for (auto& file : m_files) {
        file->SetMinimumIntensity(value);
    }
}

void TableArray::SetLinear(bool linear)
{
    m_settings.linear = linear;
    ++m_settingsRevision;
}
