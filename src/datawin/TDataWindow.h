#pragma once

#include "database/DisplayWaveData.h"
#include "datawin/DataColumns.h"
#include "datawin/DataRowLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QFontMetrics>

class QMenu;
class SettingsStore;
class TableArray;
class TextTables;
class TMyColumnHeader;

// The list of lines around the current wavelength: one row per group of duplicate lines, the
// current line in the middle and marked, shorter wavelengths above; one column per active
// source under a header of titles. It never takes the keyboard focus: moving is asked of the
// workspace (signals), which moves the display list and then tells this window to scroll.
class TDataWindow : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Everything passed in must outlive the window. Restores the columns and font.
    TDataWindow(const TextTables& text, TableArray& tables, SettingsStore& store,
                QWidget* parent = nullptr);
    ~TDataWindow() override;

    // Saves the columns and font (once; the destructor does it if nobody did).
    void CleanupWindow();

    // Titles and columns follow the units and sources, the scroll bar the cursor; repaints.
    void Refresh();
    // The display list grew: repaints only when the rows on screen changed.
    void ListChanged();
    // The cursor moved by `groups` rows (positive: toward longer wavelengths): the pixels move
    // and only what is uncovered is painted.
    void ScrollBy(int groups);
    int LinesPerPage() const;

    TMyColumnHeader* Header() const { return m_header; }
    const std::vector<DataColumn>& Columns() const { return m_columns.Columns(); }
    const QFont& RowFont() const { return m_font; }
    void SetRowFont(const QFont& font);
    // Lets the user choose the rows' font.
    void ChooseFont();
    // The radial velocity the graph shifts lines by: the list keeps rest wavelengths, its tool
    // tips say where the velocity puts them.
    void SetVelocity(double kmPerSecond) { m_velocity = kmPerSecond; }

signals:
    void MoveRequested(int groups);  // positive: toward longer wavelengths
    void PageRequested(int direction);
    void SlotChosen(uint32_t slot);  // a clicked row or a dragged scroll bar
    void LinearToggleRequested();
    void SourceEdited(size_t index);
    // A row was double-clicked: its line, and the velocity set (km/s).
    void LineDetailsRequested(const DisplayWaveData& line, double velocity);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QFont RestoredFont(SettingsStore& store);
    void SyncHeader();
    void SizeSections(std::size_t held = SIZE_MAX);
    void LayOutHeader();
    void UpdateScrollBar();
    void EvScrollAction(int action);
    void EvHeaderClicked(int section);
    void EvSectionResized(int section, int oldSize, int newSize);
    void DrawRow(QPainter& painter, const DataRowLayout::Row& row,
                 const std::vector<int>& sectionOfSource);
    void DrawSharedColumns(QPainter& painter, const DisplayWaveData& line, int top);
    void DrawSourceColumn(QPainter& painter, const DisplayWaveData& line, int section, int top);
    void DrawText(QPainter& painter, const QRect& cell, const std::string& value,
                  Qt::Alignment alignment);
    QRect MarkerRect() const;
    std::optional<DisplayWaveData> LineAt(const QPoint& at) const;
    DisplayWaveData LineOfRow(const DataRowLayout::Row& row, int x) const;
    int LineHeight() const;
    int TextAdvance(const QString& text) const;

    const TextTables& m_text;
    TableArray& m_tables;
    SettingsStore& m_store;
    TMyColumnHeader* m_header;
    QMenu* m_contextMenu;
    QFont m_font;  // restored before the columns, whose default widths it measures
    QFontMetrics m_metrics;
    int m_lineHeight = 1;
    std::array<int, 128> m_asciiAdvances{};
    DataColumns m_columns;
    std::vector<int> m_shownWidths;  // the sections' sizes: stored widths plus their stretch
    int m_descriptionWidth = 0;
    DataRowLayout m_layout;  // as last painted
    int m_wheelRemainder = 0;
    double m_velocity = 0.0;
    // The line the last press was on: by the double click the list has moved it to the middle.
    std::optional<DisplayWaveData> m_pressedLine;
    bool m_cleanedUp = false;
};
