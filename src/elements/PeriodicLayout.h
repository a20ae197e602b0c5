#pragma once

#include "command/ElementView.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct Element;

// Where the element cells go in the element pane: the periodic table itself (each element at
// its row and column), or a grid in alphabetical or table order filling the pane's width. All
// sizes in pixels. A pane with no room for a cell has no cells and hits nothing.
class PeriodicLayout {
public:
    struct Cell {
        int column = 0;
        int row = 0;
        std::size_t element = 0;  // index into the element table
    };

    // The cell size a font of pixel height `height` needs (2.1 × the widest character, and the
    // line height), as measured by the caller's font machinery.
    struct CellSize {
        int width = 0;
        int height = 0;
    };
    using Measure = std::function<CellSize(int fontHeight)>;

    // Lays out `elements` for a pane `width` × `height` in `layout`, with the largest font height
    // (1 to kMaxFontHeight) whose cells still fit, measured by `measure`; the cells are then
    // stretched to fill the pane. Alphabetical positions come from the names: equal names each
    // get their own position, in table order.
    static PeriodicLayout Fit(const std::vector<Element>& elements, ElementLayout layout, int width,
                              int height, const Measure& measure);

    static constexpr int kMaxFontHeight = 200;

    ElementLayout Layout() const { return m_layout; }
    int FontHeight() const { return m_fontHeight; }  // 0 when nothing fits
    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    const std::vector<Cell>& Cells() const { return m_cells; }

    // The element whose cell holds the point; none for empty cells, the strip right of the last
    // column or below the last row, and points outside the pane.
    std::optional<std::size_t> HitTest(int x, int y) const;
    // The cell of an element, for drawing it pressed or not.
    std::optional<Cell> CellOf(std::size_t element) const;

private:
    // Fills the cells for a chosen cell size and stretches them over the pane. `order` is the
    // grids' element order; `columns` and `rows` are what the periodic table needs.
    void Arrange(const std::vector<Element>& elements, const std::vector<std::size_t>& order,
                 std::int64_t columns, std::int64_t rows, CellSize size);

    ElementLayout m_layout = ElementLayout::Periodic;
    int m_width = 0;  // the pane
    int m_height = 0;
    int m_fontHeight = 0;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<Cell> m_cells;
};
