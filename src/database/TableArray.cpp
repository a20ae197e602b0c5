#include "database/TableArray.h"

#include "database/WavelengthFormat.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace {

constexpr size_t kMaxFiles = std::numeric_limits<uint16_t>::max();
constexpr int kStepsBetweenClockReads = 256;

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

TableArray::TableArray(const TextTables& tables) : m_tables(tables), m_displayList(m_files) {}

TableArray::~TableArray() = default;

void TableArray::ScanDirectory(const std::string& directory)
{
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && ToLower(name.substr(name.size() - 4)) == ".swt" &&
            entry.is_regular_file(ec)) {
            found.push_back(entry.path());
        }
    }
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
    file->SetUseRatios(UseRatios());
    file->SetMinimumIntensity(minIntensity);
    const int32_t current = m_displayList.CurrentWavelength();
    file->SetLimits(ClampToInt32(int64_t{current} - span), ClampToInt32(int64_t{current} + span));
    file->Activate();
    m_files.push_back(std::move(file));
}

void TableArray::Activate(size_t index)
{
    m_files[index]->Activate();
}

void TableArray::Deactivate(size_t index)
{
    m_files[index]->Deactivate();
    Rebuild();
}

void TableArray::ApplyScanWindow()
{
    const int64_t current = m_displayList.CurrentWavelength();
    for (auto& file : m_files) {
        file->SetLimits(ClampToInt32(current - span), ClampToInt32(current + span));
    }
}

bool TableArray::Rebuild()
{
    m_displayList.Reset();
    ApplyScanWindow();
    for (auto& file : m_files) {
        file->Position(m_displayList.Target());
    }
    return FillStep();
}

bool TableArray::FillStep()
{
    bool workLeft = false;
    for (auto& file : m_files) {
        if (file->IsActive()) {
            file->Step(m_displayList);
            workLeft = workLeft || file->CanStep();
        }
    }
    return workLeft;
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

void TableArray::GoToDisplayValue(double value)
{
    GoToWavelength(DisplayValueToWavelength(*this, value));
}

int TableArray::MoveBy(int lines)
{
    int moved = 0;
    const int direction = lines > 0 ? 1 : -1;
    const int64_t steps = std::llabs(int64_t{lines});
    for (int64_t i = 0; i < steps; ++i) {
        const uint32_t before = m_displayList.Cursor();
        if (!m_displayList.Move(direction)) {
            break;
        }
        if (m_displayList.Cursor() == before) {
            // At an end every further step counts without moving: count them at once.
            moved = static_cast<int>(std::min<int64_t>(steps, std::numeric_limits<int>::max()));
            break;
        }
        ++moved;
    }
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

void TableArray::SetSpan(int32_t halfWidth)
{
    span = halfWidth;
    ApplyScanWindow();
}

void TableArray::SetUseRatios(bool use)
{
    useRatios = use ? 1 : 0;
    for (auto& file : m_files) {
        file->SetUseRatios(use);
    }
}

void TableArray::SetMinimumIntensity(double value)
{
    minIntensity = value;
    for (auto& file : m_files) {
        file->SetMinimumIntensity(value);
    }
}
