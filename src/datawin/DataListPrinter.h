#pragma once

#include "datawin/DataColumns.h"

#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QRect>

class QPainter;
class TableArray;
class TextTables;

// The line list on paper: a title row, then one row per group of duplicate lines, the current
// line's group in the middle of the area, with the columns the list shows on screen. Positions
// are in tenths of a millimetre on the device, so the page looks the same on any printer.
class DataListPrinter {
public:
    // `columns` as the list shows them; `sourceColours` (by table index) tints the source
    // titles, black without them.
    DataListPrinter(const TableArray& tables, const TextTables& text,
                    const std::vector<DataColumn>& columns,
                    const std::vector<QColor>& sourceColours = {});

    // Prints into `area` (device units); nothing when the list is empty.
    void Print(QPainter& painter, const QRect& area) const;

private:
    struct Layout {
        double unit;      // device units per 0.1 mm
        int titleWidth;   // the widest header title, in device units
        int description;  // the widest description
        int rowHeight;
    };

    Layout Measure(QPainter& painter) const;
    void PrintTitles(QPainter& painter, const Layout& layout, QPoint at) const;
    void PrintGroup(QPainter& painter, const Layout& layout, QPoint at, uint32_t firstSlot,
                    uint32_t lastSlot) const;
    // The left edge of the column of source `table`, from the left of the area; none without one.
    std::optional<int> SourceColumn(const Layout& layout, size_t table) const;
    int Units(const Layout& layout, double tenthsOfMillimetre) const;

    const TableArray& m_tables;
    const TextTables& m_text;
    std::vector<DataColumn> m_columns;
    std::vector<QColor> m_sourceColours;
    QFont m_font;
};
