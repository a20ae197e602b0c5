#pragma once

#include "datawin/DataRowLayout.h"

#include <cstdint>
#include <optional>
#include <vector>

class TableArray;
class TDataWindow;

// Whether the rows the line list shows are final: every active table that can still read has
// read past the wavelengths at both edges of the list area, or to its end on a side where the
// list does not reach the edge. The idle fill cannot change those rows after that.
class StartupListCheck {
public:
    // Both must outlive the check; the tables must be loaded.
    StartupListCheck(TableArray& tables, const TDataWindow& window);

    // The rows as the window lays them out now.
    DataRowLayout Layout() const;
    // Reads the scan's edges from the tables (it moves their record buffers, nothing else).
    bool RowsAreFinal();

private:
    struct Edges {
        std::optional<int32_t> low;  // none: the rows do not reach the top
        std::optional<int32_t> high;
    };

    int LineHeight() const;
    Edges EdgesOf(const DataRowLayout& layout) const;
    bool FileCovers(size_t index, const Edges& edges);

    TableArray& m_tables;
    const TDataWindow& m_window;
    std::vector<int32_t> m_firstWavelength;  // of each table
    std::vector<int32_t> m_lastWavelength;
};
