#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DisplaySettings;
class SettingsStore;
class TableArray;

// One column of the line list. A column knows what it shows; titles are only for the user.
struct DataColumn {
    enum class Role { Wavelength, Element, Source, Reference };

    Role role = Role::Source;
    std::size_t source = 0;  // the table index, for Role::Source
    int width = 50;          // pixels

    bool operator==(const DataColumn&) const = default;
};

// The columns of the line list, left to right: the wavelength, "Element", one column per
// active source, "Ref" last. Kept between runs under "Software\Spekla\Data Window" as
// "Columns" and "Column N text"/"Column N width"; a saved source column is found again by its
// label (the first active source of that label not already placed).
class DataColumns {
public:
    static constexpr int kSourceWidth = 50;
    static constexpr int kReferenceWidth = 50;

    // The wavelength and element widths to use when none are stored (measured in the font).
    DataColumns(int defaultWavelengthWidth, int defaultElementWidth);

    // Restores the columns, then makes the source columns follow the active sources.
    void Restore(SettingsStore& store, const TableArray& tables);
    // Writes "Wave column", "Columns" and every column's text and width.
    void Save(SettingsStore& store, const TableArray& tables) const;

    // Source columns of sources no longer active go; active sources without a column get one of
    // kSourceWidth just before "Ref". The other columns keep their order and widths.
    void FollowSources(const TableArray& tables);

    const std::vector<DataColumn>& Columns() const { return m_columns; }
    void SetWidth(std::size_t index, int width);
    // The title of a column: "Wavelength", "Vacuum" or "Wave number" with the unit of the
    // numbers shown for the wavelength column, the source's label for a source column.
    std::string Title(std::size_t index, const TableArray& tables) const;
    static std::string WavelengthTitle(const DisplaySettings& settings);
    // What a source column's numbers are, on the scale shown, and the table they come from;
    // empty for the other columns.
    std::string ToolTip(std::size_t index, const TableArray& tables) const;
    // The widths to show in `available` pixels: the spare width beyond the columns' own goes
    // half to the last source column, half to "Ref", so that labels and references are not cut.
    // The columns' own widths stay what is stored.
    std::vector<int> ShownWidths(int available) const;

private:
    void ResetToFixedColumns();
    void RestoreSourceColumns(SettingsStore& store, const TableArray& tables, uint32_t count);

    int m_defaultWavelengthWidth;
    int m_defaultElementWidth;
    std::vector<DataColumn> m_columns;
};
