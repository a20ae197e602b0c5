#pragma once

#include <utility>
#include <vector>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class TableArray;
class TextTables;
class TSpeklaWindow;

// The printed page: the graph in colours for white paper, framed, at most about half the page
// high; below it the selected elements and valences; then the list of lines around the current
// one. Panes that are hidden are left out. Positions are physical (tenths of a millimetre on the
// device), so the page looks alike on every printer and in a PDF file.
class TSpeklaPrintout {
public:
    TSpeklaPrintout(const TSpeklaWindow& workspace, const TextTables& text,
                    const TableArray& tables);

    // Draws the page into `page` (device units, the printable area).
    void PrintPage(QPainter& painter, const QRect& page) const;

private:
    struct Item {
        QString text;
        bool italic;
    };

    // Each returns the y below what it printed.
    int PrintGraph(QPainter& painter, const QRect& page) const;
    int PrintSelection(QPainter& painter, int top, const QRect& page) const;
    int PrintItems(QPainter& painter, const QString& label, const std::vector<Item>& items,
                   QPoint at, int right) const;
    std::vector<Item> SelectedElements() const;
    std::vector<Item> SelectedValences() const;
    int Units(const QPainter& painter, double tenthsOfMillimetre) const;

    const TSpeklaWindow& m_workspace;
    const TextTables& m_text;
    const TableArray& m_tables;
    QFont m_font;
};
