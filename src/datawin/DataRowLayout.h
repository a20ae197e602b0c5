#pragma once

#include <cstdint>
#include <vector>

class ValidRecordsArray;

// Where the lines of the display list go in a list area of a given height: the current line's
// group on the middle row, shorter wavelengths above, longer below, one row per group of
// duplicate lines. Rows partly inside the area are laid out; rows wholly outside are not.
class DataRowLayout {
public:
    struct Row {
        int top = 0;             // y of the row's top edge in the list area (may be negative)
        uint32_t firstSlot = 0;  // the group's slots in the display list, first to last
        uint32_t lastSlot = 0;
        bool current = false;  // the cursor's group
    };

    // Lays out the rows of `list` for an area `height` pixels high with rows `lineHeight`
    // high (values below 1 count as 1). An empty list gives no rows.
    static DataRowLayout Compute(const ValidRecordsArray& list, int height, int lineHeight);

    // The top of the middle (marker) row: (height - lineHeight) / 2.
    static int MarkerTop(int height, int lineHeight);

    const std::vector<Row>& Rows() const { return m_rows; }  // top to bottom
    bool IsEmpty() const { return m_rows.empty(); }

    // Whether both layouts show the same lines (the same records of the same files) on the same
    // rows: when the list grew only outside the rows on screen, nothing needs painting.
    bool SameRowsAs(const DataRowLayout& other) const;

private:
    void RecordLines(const ValidRecordsArray& list);

    struct Occurrence {
        uint16_t tableIndex;
        uint32_t recordIndex;
        bool operator==(const Occurrence&) const = default;
    };

    std::vector<Row> m_rows;
    std::vector<Occurrence> m_shown;  // every line laid out, top to bottom
    std::vector<int> m_rowOfLine;     // the row index of each entry of m_shown
};
