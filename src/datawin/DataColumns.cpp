#include "datawin/DataColumns.h"

#include "database/TableArray.h"
#include "database/WavelengthFormat.h"
#include "framework/RegistryKey.h"
#include "framework/SettingDescriptors.h"

#include <algorithm>

namespace {

constexpr std::string_view kKey = "Software\\Spekla\\Data Window";
constexpr std::size_t kMaxTitle = 128;
constexpr uint32_t kMinWidth = 1;
constexpr uint32_t kMaxWidth = 10000;
// The wavelength, element and Ref columns are always there; a source's table index is 16 bits.
constexpr uint32_t kFixedColumns = 3;
constexpr uint32_t kMaxColumns = kFixedColumns + 65536;

// A stored layout of fewer than three columns cannot be one this program wrote: it counts as
// none.
constexpr DwordSetting kColumnCount{kKey, "Columns", 0, kFixedColumns, kMaxColumns};
constexpr DwordSetting kWaveColumn{kKey, "Wave column", kUnitAir, kUnitWaveNumber, kUnitVacuum};

// Per-column values are named by the column's position; `name` must outlive the descriptor.
StringSetting ColumnText(std::string_view name)
{
    return {kKey, name, "", kMaxTitle};
}

DwordSetting ColumnWidth(std::string_view name, int defaultWidth)
{
    return {kKey, name, static_cast<uint32_t>(defaultWidth), kMinWidth, kMaxWidth};
}

std::string TextName(std::size_t n)
{
    return "Column " + std::to_string(n) + " text";
}

std::string WidthName(std::size_t n)
{
    return "Column " + std::to_string(n) + " width";
}

int ReadWidth(SettingsStore& store, std::size_t n, int defaultWidth)
{
    const std::string name = WidthName(n);
    return static_cast<int>(ColumnWidth(name, defaultWidth).Read(store));
}

// The stored text is cut to kMaxTitle bytes, so a longer label is compared as far as it was kept.
bool LabelMatches(const std::string& label, const std::string& text)
{
    return std::string_view(label).substr(0, kMaxTitle) == text;
}

bool IsShown(const DataColumn& column, const TableArray& tables)
{
    return column.role != DataColumn::Role::Source ||
           (column.source < tables.FileCount() && tables.IsActive(column.source));
}

}  // namespace

DataColumns::DataColumns(int defaultWavelengthWidth, int defaultElementWidth)
    : m_defaultWavelengthWidth(defaultWavelengthWidth), m_defaultElementWidth(defaultElementWidth)
{
    ResetToFixedColumns();
}

void DataColumns::ResetToFixedColumns()
{
    m_columns = {
        {DataColumn::Role::Wavelength, 0, m_defaultWavelengthWidth},
        {DataColumn::Role::Element, 0, m_defaultElementWidth},
        {DataColumn::Role::Reference, 0, kReferenceWidth},
    };
}

void DataColumns::Restore(SettingsStore& store, const TableArray& tables)
{
    ResetToFixedColumns();
    m_columns[0].width = ReadWidth(store, 0, m_defaultWavelengthWidth);
    m_columns[1].width = ReadWidth(store, 1, m_defaultElementWidth);
    // Without a stored layout FollowSources gives one column per active source in table order.
    if (const auto count = kColumnCount.Stored(store)) {
        RestoreSourceColumns(store, tables, *count);
        m_columns.back().width = ReadWidth(store, *count - 1, kReferenceWidth);
    }
    FollowSources(tables);
}

// Columns 2 to count - 2 are the saved source columns; the last saved column is always Ref.
void DataColumns::RestoreSourceColumns(SettingsStore& store, const TableArray& tables,
                                       uint32_t count)
{
    std::vector<bool> placed(tables.FileCount(), false);
    const auto ref = m_columns.end() - 1;
    std::vector<DataColumn> sources;
    // The stored titles, not every number below the count, which may have been edited.
    for (const uint32_t n :
         RegistryKey(store, std::string(kKey)).NumberedValues("Column ", " text", count - 1)) {
        if (n < 2) {
            continue;
        }
        const std::string textName = TextName(n);
        const auto text = ColumnText(textName).Stored(store);
        if (!text) {
            continue;
        }
        // Only active sources are candidates: with two sources of one label, an inactive one
        // must not take the column that the active one had.
        for (std::size_t i = 0; i < tables.FileCount(); ++i) {
            if (!placed[i] && tables.IsActive(i) && LabelMatches(tables.FileAt(i).Label(), *text)) {
                placed[i] = true;
                sources.push_back({DataColumn::Role::Source, i, ReadWidth(store, n, kSourceWidth)});
                break;
            }
        }
    }
    m_columns.insert(ref, sources.begin(), sources.end());
}

void DataColumns::Save(SettingsStore& store, const TableArray& tables) const
{
    kWaveColumn.Write(store, static_cast<uint32_t>(tables.UnitMode()));
    kColumnCount.Write(store, static_cast<uint32_t>(m_columns.size()));
    for (std::size_t n = 0; n < m_columns.size(); ++n) {
        const std::string textName = TextName(n);
        const std::string widthName = WidthName(n);
        ColumnText(textName).Write(store, Title(n, tables));
        ColumnWidth(widthName, kSourceWidth)
            .Write(store, static_cast<uint32_t>(m_columns[n].width));
    }
}

void DataColumns::FollowSources(const TableArray& tables)
{
    std::erase_if(m_columns, [&](const DataColumn& column) { return !IsShown(column, tables); });
    std::vector<bool> hasColumn(tables.FileCount(), false);
    for (const DataColumn& column : m_columns) {
        if (column.role == DataColumn::Role::Source) {
            hasColumn[column.source] = true;
        }
    }
    auto position = std::find_if(m_columns.begin(), m_columns.end(), [](const DataColumn& c) {
        return c.role == DataColumn::Role::Reference;
    });
    for (std::size_t i = 0; i < tables.FileCount(); ++i) {
        if (tables.IsActive(i) && !hasColumn[i]) {
            position = m_columns.insert(position, {DataColumn::Role::Source, i, kSourceWidth}) + 1;
        }
    }
}

void DataColumns::SetWidth(std::size_t index, int width)
{
    if (index < m_columns.size()) {
        // The range a stored width is accepted in, so that what is saved comes back.
        m_columns[index].width =
            std::clamp(width, static_cast<int>(kMinWidth), static_cast<int>(kMaxWidth));
    }
}

std::string DataColumns::Title(std::size_t index, const TableArray& tables) const
{
    if (index >= m_columns.size()) {
        return {};
    }
    const DataColumn& column = m_columns[index];
    switch (column.role) {
        case DataColumn::Role::Wavelength:
            return WavelengthTitle(tables.Settings());
        case DataColumn::Role::Element:
            return "Element";
        case DataColumn::Role::Source:
            return column.source < tables.FileCount() ? tables.FileAt(column.source).Label() : "";
        case DataColumn::Role::Reference:
            return "Ref";
    }
    return {};
}

// The list shows the table's intensity codes, neither scaled by the source nor weighted by
// the element ratios (see FormatIntensity).
std::string DataColumns::ToolTip(std::size_t index, const TableArray& tables) const
{
    if (index >= m_columns.size() || m_columns[index].role != DataColumn::Role::Source ||
        m_columns[index].source >= tables.FileCount()) {
        return {};
    }
    const char* scale = tables.Linear()
                            ? "Relative intensity (linear scale, two significant digits)"
                            : "log10 of the relative intensity (logarithmic scale)";
    return std::string(scale) +
           ", as the table lists it\nTable: " + tables.FileAt(m_columns[index].source).FileName();
}

std::vector<int> DataColumns::ShownWidths(int available) const
{
    std::vector<int> widths;
    int spare = available;
    for (const DataColumn& column : m_columns) {
        widths.push_back(column.width);
        spare -= column.width;
    }
    if (spare <= 0) {
        return widths;
    }
    const auto lastSource = std::find_if(m_columns.rbegin(), m_columns.rend(), [](const auto& c) {
        return c.role == DataColumn::Role::Source;
    });
    const std::size_t ref = m_columns.size() - 1;  // "Ref" is always last
    if (lastSource == m_columns.rend()) {
        widths[ref] += spare;
        return widths;
    }
    widths[static_cast<std::size_t>(m_columns.rend() - lastSource) - 1] += spare / 2;
    widths[ref] += spare - spare / 2;
    return widths;
}

std::string DataColumns::WavelengthTitle(const DisplaySettings& settings)
{
    const char* name = settings.unitMode == kUnitWaveNumber ? "Wave number "
                       : settings.unitMode == kUnitVacuum   ? "Vacuum "
                                                            : "Wavelength ";
    return name + DisplayUnit(settings);
}
