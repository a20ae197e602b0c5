#include "datawin/DataListPrinter.h"

#include "database/DisplayWaveData.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "datawin/DataRowLayout.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

QString Text(const std::string& value)
{
    return QString::fromStdString(value);
}

}  // namespace

DataListPrinter::DataListPrinter(const TableArray& tables, const TextTables& text,
                                 const std::vector<DataColumn>& columns,
                                 const std::vector<QColor>& sourceColours)
    : m_tables(tables), m_text(text), m_columns(columns), m_sourceColours(sourceColours)
{
    m_font = QFont("Arial");
    m_font.setPointSizeF(10.0);
}

int DataListPrinter::Units(const Layout& layout, double tenthsOfMillimetre) const
{
    return static_cast<int>(std::lround(tenthsOfMillimetre * layout.unit));
}

DataListPrinter::Layout DataListPrinter::Measure(QPainter& painter) const
{
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font, painter.device());
    Layout layout{};
    layout.unit = painter.device()->logicalDpiY() / 254.0;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const DataColumn& column = m_columns[i];
        std::string title = column.role == DataColumn::Role::Element ? "Element" : "Ref";
        if (column.role == DataColumn::Role::Wavelength) {
            title = DataColumns::WavelengthTitle(m_tables.Settings());
        } else if (column.role == DataColumn::Role::Source &&
                   column.source < m_tables.FileCount()) {
            title = m_tables.FileAt(column.source).Label();
        }
        layout.titleWidth = std::max(layout.titleWidth, metrics.horizontalAdvance(Text(title)));
    }
    for (const std::string& description : m_text.DescriptionTable) {
        layout.description =
            std::max(layout.description, metrics.horizontalAdvance(Text(description)));
    }
    layout.rowHeight = metrics.height() + Units(layout, 20);
    return layout;
}

std::optional<int> DataListPrinter::SourceColumn(const Layout& layout, size_t table) const
{
    int k = 0;
    for (const DataColumn& column : m_columns) {
        if (column.role != DataColumn::Role::Source) {
            continue;
        }
        if (column.source == table) {
            return 2 * layout.titleWidth + Units(layout, 110) +
                   k * (layout.titleWidth + Units(layout, 50));
        }
        ++k;
    }
    return std::nullopt;
}

void DataListPrinter::Print(QPainter& painter, const QRect& area) const
{
    const ValidRecordsArray& list = m_tables.DisplayList();
    if (list.IsEmpty()) {
        return;
    }
    painter.save();
    const Layout layout = Measure(painter);
    const QFontMetrics metrics(m_font, painter.device());
    const int titleTop = area.top() + Units(layout, 100) - layout.rowHeight;
    PrintTitles(painter, layout, QPoint(area.left(), titleTop + metrics.ascent()));
    const int rowsTop = titleTop + layout.rowHeight;
    const int height = area.bottom() - rowsTop;
    const DataRowLayout rows = DataRowLayout::Compute(list, height, layout.rowHeight);
    for (const DataRowLayout::Row& row : rows.Rows()) {
        if (row.top >= 0 && row.top + layout.rowHeight <= height) {
            PrintGroup(painter, layout, QPoint(area.left(), rowsTop + row.top + metrics.ascent()),
                       row.firstSlot, row.lastSlot);
        }
    }
    painter.restore();
}

void DataListPrinter::PrintTitles(QPainter& painter, const Layout& layout, QPoint at) const
{
    const QFontMetrics metrics(m_font, painter.device());
    const int w = layout.titleWidth;
    painter.setPen(Qt::black);
    painter.drawText(at.x() + Units(layout, 10), at.y(),
                     Text(DataColumns::WavelengthTitle(m_tables.Settings())));
    painter.drawText(at.x() + w + Units(layout, 60), at.y(), "Element");
    int end = 2 * w + Units(layout, 110);
    for (const DataColumn& column : m_columns) {
        if (column.role != DataColumn::Role::Source || column.source >= m_tables.FileCount()) {
            continue;
        }
        const QString title = Text(m_tables.FileAt(column.source).Label());
        painter.setPen(column.source < m_sourceColours.size() ? m_sourceColours[column.source]
                                                              : QColor(Qt::black));
        const int right = end + w - layout.description;
        painter.drawText(at.x() + right - metrics.horizontalAdvance(title), at.y(), title);
        end += w + Units(layout, 50);
    }
    painter.setPen(Qt::black);
    painter.drawText(at.x() + end + Units(layout, 50), at.y(), "Reference");
}

// Every record of the group fills the column of its source; the shared texts come once.
void DataListPrinter::PrintGroup(QPainter& painter, const Layout& layout, QPoint at,
                                 uint32_t firstSlot, uint32_t lastSlot) const
{
    const QFontMetrics metrics(m_font, painter.device());
    const int w = layout.titleWidth;
    const ValidRecordsArray& list = m_tables.DisplayList();
    for (uint32_t slot = firstSlot; slot <= lastSlot; ++slot) {
        const DisplayWaveData line(list.ItemAt(slot), m_tables.UseRatios(), true, m_text);
        if (slot == firstSlot) {
            painter.drawText(at.x() + Units(layout, 10), at.y(),
                             Text(FormatWavelength(line, m_tables.Settings())));
            painter.drawText(at.x() + w + Units(layout, 60), at.y(), Text(line.elementName));
            painter.drawText(at.x() + w + Units(layout, 60) + (w + Units(layout, 50)) / 2, at.y(),
                             Text(line.valenceName));
            const int sources = static_cast<int>(m_columns.size()) - 3;
            painter.drawText(
                at.x() + 2 * w + Units(layout, 160) + sources * (w + Units(layout, 50)), at.y(),
                Text(line.reference));
        }
        const size_t table = line.table != nullptr ? line.table->TableIndex() : SIZE_MAX;
        if (const std::optional<int> column = SourceColumn(layout, table)) {
            const int split = at.x() + *column + w - layout.description;
            const QString intensity = Text(FormatIntensity(line, m_tables.Linear(), false, false));
            painter.drawText(split - metrics.horizontalAdvance(intensity), at.y(), intensity);
            painter.drawText(split, at.y(), Text(line.description));
        }
    }
}
