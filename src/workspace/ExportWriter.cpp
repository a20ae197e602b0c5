#include "workspace/ExportWriter.h"

#include "database/DisplayWaveData.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/WavelengthFormat.h"
#include "framework/AtomicFile.h"
#include "framework/DoubleRange.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "workspace/ExportSettings.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace {

// Filling can move the cursor to a line nearer the target, and the window with it; each move
// brings the cursor strictly nearer, and a few rounds settle any list met in practice.
constexpr int kMostRecentres = 8;

int32_t TruncatedWavelength(double wavelength)
{
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    if (!std::isfinite(wavelength)) {
        return 0;
    }
    return static_cast<int32_t>(std::clamp(std::trunc(wavelength), kLowest, kHighest));
}

// The fields of one row being gathered: wavelength, element, valence, a pair per active
// source, the references.
class Row {
public:
    Row(size_t fieldCount, const DisplayWaveData& line, const DisplaySettings& settings)
        : m_fields(fieldCount)
    {
        m_fields[0] = FormatWavelength(line, settings);
        m_fields[1] = line.elementName;
        m_fields[2] = line.valenceName;
    }

    // A later line of the same source overwrites that source's pair.
    void Add(const DisplayWaveData& line, int column, bool linear)
    {
        const auto first = static_cast<size_t>(3 + 2 * column);
        m_fields[first] = FormatIntensity(line, linear, false, false);
        m_fields[first + 1] = line.description;
        // Whole references are compared: "12" must not count as listed inside "112 ".
        if (!line.reference.empty() && std::find(m_references.begin(), m_references.end(),
                                                 line.reference) == m_references.end()) {
            m_references.push_back(line.reference);
            m_fields.back() += line.reference + ' ';
        }
    }

    std::string Text() const
    {
        std::string text;
        for (const std::string& field : m_fields) {
            text += field + '\t';
        }
        return text + '\n';
    }

private:
    std::vector<std::string> m_fields;
    std::vector<std::string> m_references;
};

}  // namespace

ExportWriter::ExportWriter(const TextTables& text, TableArray& tables)
    : m_text(text), m_tables(tables)
{
}

std::optional<double> ExportWriter::ParseRange(const std::string& text)
{
    if (!Limits::kExportRange.IsValid(text)) {
        return std::nullopt;
    }
    return ParseLeadingDouble(text);
}

std::string ExportWriter::RangeError()
{
    return Limits::kExportRange.ErrorText();
}

std::pair<int32_t, int32_t> ExportWriter::Window(int32_t centre, double range)
{
    const double half = 500.0 * range;
    return {TruncatedWavelength(centre - half), TruncatedWavelength(centre + half)};
}

// The column of each table file among the active ones, -1 for an inactive file.
std::vector<int> ExportWriter::ActiveColumns() const
{
    std::vector<int> columns(m_tables.FileCount(), -1);
    int next = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (m_tables.IsActive(i)) {
            columns[i] = next++;
        }
    }
    return columns;
}

std::string ExportWriter::DataHeader() const
{
    std::string header = "Wavelength\tElement\tValence\t";
    for (size_t i = 0; i < m_tables.FileCount(); ++i) {
        if (m_tables.IsActive(i)) {
            header += m_tables.FileAt(i).Label() + "\t\t";
        }
    }
    return header + "Reference\n";
}

std::string ExportWriter::DataBlock(int32_t low, int32_t high) const
{
    std::string block = DataHeader();
    const ValidRecordsArray& list = m_tables.DisplayList();
    if (list.IsEmpty() || list.Cursor() == ValidRecordsArray::kNone) {
        return block + '\n';
    }
    // Down from the cursor to the lowest line in the window, then up to the end of it.
    uint32_t slot = list.Cursor();
    while (slot > list.First() && list.WavelengthAt(slot - 1) >= low) {
        --slot;
    }
    while (slot <= list.Last() && list.WavelengthAt(slot) < low) {
        ++slot;
    }
    const std::vector<int> columns = ActiveColumns();
    const size_t fieldCount =
        4 + 2 * static_cast<size_t>(
                    std::count_if(columns.begin(), columns.end(), [](int c) { return c >= 0; }));
    std::optional<Row> row;
    uint32_t previous = slot;
    for (; slot <= list.Last() && list.WavelengthAt(slot) <= high; ++slot) {
        const uint16_t table = list.TableIndexAt(slot);
        if (table >= columns.size() || columns[table] < 0) {
            continue;  // a source switched off since the list was built has no column
        }
        const DisplayWaveData line(list.ItemAt(slot), m_tables.UseRatios(), true, m_text);
        if (!row || !list.IsDuplicate(previous, slot)) {
            if (row) {
                block += row->Text();
            }
            row.emplace(fieldCount, line, m_tables.Settings());
        }
        row->Add(line, columns[table], m_tables.Linear());
        previous = slot;
    }
    if (row) {
        block += row->Text();
    }
    return block + '\n';
}

std::string ExportWriter::SummationBlock(const Curve& curve) const
{
    std::string block = "Summation data\nWavelength\tIntensity\n";
    const double centre = m_tables.DisplayList().CurrentWavelength();
    const double count = static_cast<double>(curve.samples.size());
    for (size_t j = 0; j < curve.samples.size(); ++j) {
        const double offset = (curve.range * 0.5 - static_cast<double>(j) * curve.range / count);
        WaveData sample;
        sample.record.wavelength = TruncatedWavelength(centre - offset * 1000.0);
        block += FormatWavelength(sample, m_tables.Settings()) + '\t' +
                 FormatDefault(curve.samples[j]) + '\n';
    }
    return block + '\n';
}

void ExportWriter::CompleteWindow(double range)
{
    const ValidRecordsArray& list = m_tables.DisplayList();
    for (int round = 0; round < kMostRecentres; ++round) {
        const int32_t centre = list.CurrentWavelength();
        const auto [low, high] = Window(centre, range);
        m_tables.FillAround(low, high);
        if (list.CurrentWavelength() == centre) {
            return;
        }
    }
}

std::string ExportWriter::Compose(const ExportSettings& settings, double range, const Curve& curve)
{
    std::string content;
    if (settings.Data != 0 || settings.Both != 0) {
        CompleteWindow(range);
        const auto [low, high] = Window(m_tables.DisplayList().CurrentWavelength(), range);
        content += DataBlock(low, high);
    }
    if (settings.Summ != 0 || settings.Both != 0) {
        content += SummationBlock(curve);
    }
    return content;
}

bool ExportWriter::Write(const std::string& path, const ExportSettings& settings, double range,
                         const Curve& curve, std::string* error)
{
    return WriteText(path, Compose(settings, range, curve), error);
}

bool ExportWriter::WriteText(const std::string& path, const std::string& content,
                             std::string* error)
{
    const std::filesystem::path target(path);
    std::string reason;
    std::error_code ec;
    if (target.filename().empty()) {
        reason = "No file name was given.";
    } else if (target.has_parent_path() &&
               !std::filesystem::is_directory(target.parent_path(), ec)) {
        // Making folders for a mistyped name would leave them behind.
        reason = "The folder " + target.parent_path().string() + " does not exist.";
    } else if (WriteFileAtomically(path, content, &reason)) {
        return true;
    }
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}
