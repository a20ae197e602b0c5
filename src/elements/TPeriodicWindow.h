#pragma once

#include "command/ElementView.h"
#include "elements/PeriodicLayout.h"

#include <cstdint>
#include <optional>

#include <QImage>
#include <QWidget>

class ElementFacts;
class SettingsStore;
struct Element;
class TextTables;

// The element pane: one button-like cell per element, sunken, filled with the highlight colour
// and its symbol in bold while the element is selected, its symbol in italics while its ratio is
// not 1, its name, atomic number and ratio in the cell's tool tip, in the periodic, alphabetical or
// atomic-number layout with the largest font that fits. A click toggles an element; Alt+click or
// Ctrl+click selects it alone; a right click edits its symbol and ratio. The cells are drawn into a
// cached image renewed when the elements, the layout or the size change; a pressed cell is drawn
// over it.
class TPeriodicWindow : public QWidget, public ElementView {
    Q_OBJECT

public:
    // `text` and `store` must outlive the window. Restores the layout.
    TPeriodicWindow(TextTables& text, SettingsStore& store, QWidget* parent = nullptr);
    ~TPeriodicWindow() override;

    // Saves the layout (once; the destructor does it if nobody did).
    void CleanupWindow();

    ElementLayout Layout() const override { return m_style; }
    void SetLayout(ElementLayout layout) override;
    const PeriodicLayout& Cells() const { return m_layout; }
    // "Iron (Fe)", the atomic number and the ratio on three lines; the symbol alone stands for
    // the name when `facts` do not know it.
    static QString CellToolTip(const Element& element, const ElementFacts& facts);

signals:
    // The selection, a ratio or a symbol changed.
    void ElementsChanged();
    void ElementRenamed(const QString& oldName, const QString& newName);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Relayout();
    void RenderCells();
    void DrawCell(QPainter& painter, const PeriodicLayout::Cell& cell, bool selected);
    QRect CellArea(const PeriodicLayout::Cell& cell) const;
    bool InPressedCell(const QPoint& at) const;
    void EditElement(std::size_t index);

    TextTables& m_text;
    SettingsStore& m_store;
    ElementLayout m_style = ElementLayout::Periodic;
    PeriodicLayout m_layout;
    QImage m_image;
    uint64_t m_imageRevision = 0;
    bool m_imageValid = false;
    std::optional<std::size_t> m_pressed;  // the element pressed with the left button
    bool m_showPressed = false;            // the pointer is still in its cell
    bool m_cleanedUp = false;
};
