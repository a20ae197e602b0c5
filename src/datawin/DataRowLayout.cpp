#include "datawin/DataRowLayout.h"

#include "database/ValidRecordsArray.h"

#include <algorithm>
#include <utility>

namespace {

// The group of duplicate lines that `slot` belongs to: first and last slot.
std::pair<uint32_t, uint32_t> GroupAround(const ValidRecordsArray& list, uint32_t slot)
{
    uint32_t first = slot;
    while (first > list.First() && list.IsDuplicate(first - 1, first)) {
        --first;
    }
    uint32_t last = slot;
    while (last < list.Last() && list.IsDuplicate(last + 1, last)) {
        ++last;
    }
    return {first, last};
}

}  // namespace

int DataRowLayout::MarkerTop(int height, int lineHeight)
{
    return (height - std::max(lineHeight, 1)) / 2;
}

DataRowLayout DataRowLayout::Compute(const ValidRecordsArray& list, int height, int lineHeight)
{
    DataRowLayout layout;
    const uint32_t cursor = list.Cursor();
    if (list.IsEmpty() || cursor == ValidRecordsArray::kNone) {
        return layout;
    }
    const int rowHeight = std::max(lineHeight, 1);
    const int markerTop = MarkerTop(height, rowHeight);
    const auto [groupFirst, groupLast] = GroupAround(list, cursor);

    // Rows above the marker are found bottom up, then turned round.
    std::vector<Row>& rows = layout.m_rows;
    int top = markerTop - rowHeight;
    for (uint32_t slot = groupFirst; slot > list.First() && top + rowHeight > 0; top -= rowHeight) {
        const uint32_t last = slot - 1;
        slot = GroupAround(list, last).first;
        rows.push_back({top, slot, last, false});
    }
    std::reverse(rows.begin(), rows.end());
    rows.push_back({markerTop, groupFirst, groupLast, true});
    top = markerTop + rowHeight;
    for (uint32_t slot = groupLast; slot < list.Last() && top < height; top += rowHeight) {
        const uint32_t first = slot + 1;
        slot = GroupAround(list, first).second;
        rows.push_back({top, first, slot, false});
    }
    layout.RecordLines(list);
    return layout;
}

void DataRowLayout::RecordLines(const ValidRecordsArray& list)
{
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        for (uint32_t slot = m_rows[row].firstSlot; slot <= m_rows[row].lastSlot; ++slot) {
            m_shown.push_back({list.TableIndexAt(slot), list.RecordIndexAt(slot)});
            m_rowOfLine.push_back(static_cast<int>(row));
        }
    }
}

bool DataRowLayout::SameRowsAs(const DataRowLayout& other) const
{
    // Slot numbers are left out: growing the list at the front shifts them all.
    const auto sameRow = [](const Row& a, const Row& b) {
        return a.top == b.top && a.current == b.current;
    };
    return std::equal(m_rows.begin(), m_rows.end(), other.m_rows.begin(), other.m_rows.end(),
                      sameRow) &&
           m_shown == other.m_shown && m_rowOfLine == other.m_rowOfLine;
}
