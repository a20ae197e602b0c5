#include "app/TSpeklaPrintout.h"

#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/DataListPrinter.h"
#include "datawin/TDataWindow.h"
#include "graph/PrintColour.h"
#include "graph/TGraphWindow.h"
#include "workspace/TSpeklaWindow.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

// A graph as wide as the page would push everything else off a landscape page.
constexpr double kGraphShareOfPage = 0.5;

}  // namespace

TSpeklaPrintout::TSpeklaPrintout(const TSpeklaWindow& workspace, const TextTables& text,
                                 const TableArray& tables)
    : m_workspace(workspace), m_text(text), m_tables(tables), m_font("Arial")
{
    m_font.setPointSizeF(10.0);
}

int TSpeklaPrintout::Units(const QPainter& painter, double tenthsOfMillimetre) const
{
    return static_cast<int>(
        std::lround(tenthsOfMillimetre * painter.device()->logicalDpiY() / 254.0));
}

void TSpeklaPrintout::PrintPage(QPainter& painter, const QRect& page) const
{
    painter.save();
    const int graphBottom = PrintGraph(painter, page);
    const int listTop = PrintSelection(painter, graphBottom, page);
    if (const TDataWindow* data = m_workspace.DataWindow()) {
        std::vector<QColor> colours;
        if (const TGraphWindow* graph = m_workspace.GraphWindow()) {
            for (size_t i = 0; i < m_tables.FileCount(); ++i) {
                const Colour ink = PrintColour(graph->Settings().TableColour(i));
                colours.emplace_back(ink.red, ink.green, ink.blue);
            }
        }
        DataListPrinter(m_tables, m_text, data->Columns(), colours)
            .Print(painter, QRect(QPoint(page.left(), listTop), page.bottomRight()));
    }
    painter.restore();
}

// The graph as the window shows it, scaled alike in both directions to the page's width or to
// its share of the height, whichever is smaller, and framed.
int TSpeklaPrintout::PrintGraph(QPainter& painter, const QRect& page) const
{
    const TGraphWindow* graph = m_workspace.GraphWindow();
    if (graph == nullptr || graph->width() <= 0 || graph->height() <= 0) {
        return page.top();
    }
    const QSize size = graph->size();
    const double scale = std::min(page.width() / double(size.width()),
                                  page.height() * kGraphShareOfPage / size.height());
    const int top = page.top() + Units(painter, 20);
    painter.save();
    painter.translate(page.left(), top);
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), size));
    graph->Render(painter, size, true);
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), size));
    painter.restore();
    return top + static_cast<int>(std::ceil(size.height() * scale));
}

int TSpeklaPrintout::PrintSelection(QPainter& painter, int top, const QRect& page) const
{
    const int right = page.right();
    const QPoint elements(page.left() + Units(painter, 10), top + Units(painter, 50));
    const int below =
        PrintItems(painter, "Selected elements: ", SelectedElements(), elements, right);
    return PrintItems(painter, "Selected valences: ", SelectedValences(),
                      QPoint(elements.x(), below + Units(painter, 10)), right);
}

// The label, then the items separated by commas, wrapping under the first item; no line starts
// with a comma.
int TSpeklaPrintout::PrintItems(QPainter& painter, const QString& label,
                                const std::vector<Item>& items, QPoint at, int right) const
{
    QFont italic = m_font;
    italic.setItalic(true);
    painter.setPen(Qt::black);
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font, painter.device());
    const int lineHeight = metrics.height();
    int y = at.y() + metrics.ascent();
    painter.drawText(at.x(), y, label);
    const int indent = at.x() + metrics.horizontalAdvance(label);
    int x = indent;
    for (size_t i = 0; i < items.size(); ++i) {
        const QFont& font = items[i].italic ? italic : m_font;
        const QFontMetrics itemMetrics(font, painter.device());
        QString text = (i == 0 ? QString() : QString(", ")) + items[i].text;
        if (i > 0 && x + itemMetrics.horizontalAdvance(text) >= right - Units(painter, 10)) {
            x = indent;
            y += lineHeight + Units(painter, 10);
            text = items[i].text;
        }
        painter.setFont(font);
        painter.drawText(x, y, text);
        x += itemMetrics.horizontalAdvance(text);
    }
    return y + metrics.descent();
}

// Alphabetical; italic where a ratio other than 1 is in use.
std::vector<TSpeklaPrintout::Item> TSpeklaPrintout::SelectedElements() const
{
    std::vector<const Element*> sorted;
    for (const Element& element : m_text.ElementTable) {
        sorted.push_back(&element);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const Element* a, const Element* b) {
        return a->sortIndex < b->sortIndex;
    });
    std::vector<Item> items;
    for (const Element* element : sorted) {
        if (element->selected != 0) {
            items.push_back({QString::fromStdString(element->name),
                             m_tables.UseRatios() && element->ratio != 1.0});
        }
    }
    return items;
}

std::vector<TSpeklaPrintout::Item> TSpeklaPrintout::SelectedValences() const
{
    std::vector<Item> items;
    for (size_t code = 1; code < m_text.ValenceNameTable.size(); ++code) {
        if (m_text.ValenceFlags[code] != 0 && !m_text.ValenceNameTable[code].empty()) {
            items.push_back({QString::fromStdString(m_text.ValenceNameTable[code]), false});
        }
    }
    return items;
}
