#include "StartupListCheck.h"

#include "database/TableArray.h"
#include "database/WavetableFile.h"
#include "datawin/TDataWindow.h"

#include <algorithm>

#include <QFontMetrics>

StartupListCheck::StartupListCheck(TableArray& tables, const TDataWindow& window)
    : m_tables(tables), m_window(window)
{
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        WavetableFile& file = tables.FileAt(i);
        m_firstWavelength.push_back(file.WavelengthAt(0));
        m_lastWavelength.push_back(file.WavelengthAt(file.LastIndex()));
    }
}

// The window's own row height: its font's line spacing.
int StartupListCheck::LineHeight() const
{
    return std::max(QFontMetrics(m_window.RowFont()).lineSpacing(), 1);
}

DataRowLayout StartupListCheck::Layout() const
{
    return DataRowLayout::Compute(m_tables.DisplayList(), m_window.viewport()->height(),
                                  LineHeight());
}

StartupListCheck::Edges StartupListCheck::EdgesOf(const DataRowLayout& layout) const
{
    Edges edges;
    if (layout.IsEmpty()) {
        return edges;
    }
    const ValidRecordsArray& list = m_tables.DisplayList();
    const DataRowLayout::Row& top = layout.Rows().front();
    const DataRowLayout::Row& bottom = layout.Rows().back();
    if (top.top <= 0) {
        edges.low = list.WavelengthAt(top.firstSlot);
    }
    if (bottom.top + LineHeight() >= m_window.viewport()->height()) {
        edges.high = list.WavelengthAt(bottom.lastSlot);
    }
    return edges;
}

// A side is covered when the scan holds the edge's wavelength, or holds the table's own end.
bool StartupListCheck::FileCovers(size_t index, const Edges& edges)
{
    WavetableFile& file = m_tables.FileAt(index);
    const bool low =
        (edges.low && file.Contains(*edges.low)) || file.Contains(m_firstWavelength[index]);
    const bool high =
        (edges.high && file.Contains(*edges.high)) || file.Contains(m_lastWavelength[index]);
    return low && high;
}

bool StartupListCheck::RowsAreFinal()
{
    const Edges edges = EdgesOf(Layout());
    for (size_t i = 0; i < m_tables.FileCount(); ++i) {
        const WavetableFile& file = m_tables.FileAt(i);
        if (file.IsActive() && file.CanStep() && !FileCovers(i, edges)) {
            return false;
        }
    }
    return true;
}
