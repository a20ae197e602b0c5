#include "elements/PeriodicLayout.h"

#include "database/Element.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>

namespace {

// The cells' positions before the pane's size is known: table coordinates for the periodic
// table, the order of the grid otherwise.
struct Placement {
    std::vector<std::size_t> order;  // grids: element indices in grid order
    std::int64_t columns = 0;        // periodic: columns and rows the table needs
    std::int64_t rows = 0;
};

Placement Place(const std::vector<Element>& elements, ElementLayout layout)
{
    Placement placement;
    if (layout == ElementLayout::Periodic) {
        for (const Element& element : elements) {
            placement.columns = std::max<std::int64_t>(placement.columns, element.column + 1LL);
            placement.rows = std::max<std::int64_t>(placement.rows, element.row + 1LL);
        }
        return placement;
    }
    placement.order.resize(elements.size());
    std::iota(placement.order.begin(), placement.order.end(), std::size_t{0});
    if (layout == ElementLayout::Alphabetical) {
        // Stable, so equal names keep table order and each gets a cell that can be clicked.
        std::stable_sort(
            placement.order.begin(), placement.order.end(),
            [&](std::size_t a, std::size_t b) { return elements[a].name < elements[b].name; });
    }
    return placement;
}

PeriodicLayout::CellSize Measured(const PeriodicLayout::Measure& measure, int fontHeight)
{
    PeriodicLayout::CellSize size = measure(fontHeight);
    size.width = std::max(size.width, 1);
    size.height = std::max(size.height, 1);
    return size;
}

bool Fits(const Placement& placement, std::size_t count, bool periodic,
          PeriodicLayout::CellSize size, int width, int height)
{
    if (periodic) {
        return placement.columns * size.width <= width && placement.rows * size.height <= height;
    }
    const std::int64_t capacity =
        static_cast<std::int64_t>(width / size.width) * (height / size.height);
    return static_cast<std::int64_t>(count) <= capacity;
}

}  // namespace

PeriodicLayout PeriodicLayout::Fit(const std::vector<Element>& elements, ElementLayout layout,
                                   int width, int height, const Measure& measure)
{
    PeriodicLayout result;
    result.m_layout = layout;
    result.m_width = std::max(width, 0);
    result.m_height = std::max(height, 0);
    const bool periodic = layout == ElementLayout::Periodic;
    const Placement placement = Place(elements, layout);
    const auto fits = [&](CellSize size) {
        return Fits(placement, elements.size(), periodic, size, result.m_width, result.m_height);
    };

    // Binary search for the largest fitting height: larger fonts never need smaller cells.
    int low = 0;
    CellSize lowSize{};
    int high = kMaxFontHeight + 1;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        const CellSize size = Measured(measure, middle);
        if (fits(size)) {
            low = middle;
            lowSize = size;
        } else {
            high = middle;
        }
    }
    if (low == 0) {
        // Too small for every cell: the smallest font still shows what fits of the cells.
        lowSize = Measured(measure, 1);
        if (lowSize.width > result.m_width || lowSize.height > result.m_height) {
            return result;
        }
        low = 1;
    }
    result.m_fontHeight = low;
    result.Arrange(elements, placement.order, placement.columns, placement.rows, lowSize);
    return result;
}

void PeriodicLayout::Arrange(const std::vector<Element>& elements,
                             const std::vector<std::size_t>& order, std::int64_t columns,
                             std::int64_t rows, CellSize size)
{
    m_cellWidth = size.width;
    m_cellHeight = size.height;
    if (m_layout == ElementLayout::Periodic) {
        // Only a pane too small for the table at any font gets here with a huge coordinate.
        constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
        m_columns = static_cast<int>(std::min(columns, kLargest));
        m_rows = static_cast<int>(std::min(rows, kLargest));
        for (std::size_t index = 0; index < elements.size(); ++index) {
            m_cells.push_back({elements[index].column, elements[index].row, index});
        }
    } else {
        m_columns = m_width / size.width;
        const auto count = static_cast<std::int64_t>(order.size());
        // An empty table fits any font, even one wider than the pane: no columns, no rows.
        m_rows = m_columns == 0 ? 0 : static_cast<int>((count + m_columns - 1) / m_columns);
        for (std::size_t position = 0; position < order.size(); ++position) {
            const auto n = static_cast<int>(position);
            m_cells.push_back({n % m_columns, n / m_columns, order[position]});
        }
    }
    // Stretch to fill the pane; an axis without cells keeps the measured size.
    if (m_columns > 0) {
        m_cellWidth = std::max(m_width / m_columns, 1);
    }
    if (m_rows > 0) {
        m_cellHeight = std::max(m_height / m_rows, 1);
    }
}

std::optional<std::size_t> PeriodicLayout::HitTest(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_cellWidth <= 0 || m_cellHeight <= 0) {
        return std::nullopt;
    }
    const int column = x / m_cellWidth;
    const int row = y / m_cellHeight;
    if (column >= m_columns || row >= m_rows) {
        return std::nullopt;
    }
    if (m_layout != ElementLayout::Periodic) {
        const auto position = static_cast<std::size_t>(row) * m_columns + column;
        return position < m_cells.size() ? std::optional(m_cells[position].element) : std::nullopt;
    }
    const auto cell = std::find_if(m_cells.begin(), m_cells.end(), [&](const Cell& c) {
        return c.column == column && c.row == row;
    });
    return cell != m_cells.end() ? std::optional(cell->element) : std::nullopt;
}

std::optional<PeriodicLayout::Cell> PeriodicLayout::CellOf(std::size_t element) const
{
    const auto cell = std::find_if(m_cells.begin(), m_cells.end(),
                                   [&](const Cell& c) { return c.element == element; });
    return cell != m_cells.end() ? std::optional(*cell) : std::nullopt;
}
