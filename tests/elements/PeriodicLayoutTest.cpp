#include "database/Element.h"
#include "elements/PeriodicLayout.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

Element At(const char* name, int row, int column)
{
    return {0, 0, 0, row, column, name, 1.0};
}

// Three elements on a table of 4 columns and 3 rows, most cells empty.
std::vector<Element> Periodic()
{
    return {At("A", 0, 0), At("B", 0, 3), At("C", 2, 1)};
}

// Two equal names, which the alphabetical order must both keep reachable.
std::vector<Element> Named()
{
    return {At("H", 0, 0), At("Fe", 0, 1), At("He", 0, 2), At("Fe", 0, 3), At("Ca", 0, 4)};
}

// A font of height h needs cells h wide and h + 2 high.
PeriodicLayout::CellSize Simple(int fontHeight)
{
    return {fontHeight, fontHeight + 2};
}

// Font height, columns, rows, cell width and cell height.
std::array<int, 5> Shape(const PeriodicLayout& layout)
{
    return {layout.FontHeight(), layout.Columns(), layout.Rows(), layout.CellWidth(),
            layout.CellHeight()};
}

constexpr ElementLayout kLayouts[] = {ElementLayout::Periodic, ElementLayout::Alphabetical,
                                      ElementLayout::AtomicNumber};

using Found = std::vector<std::optional<std::size_t>>;
constexpr std::optional<std::size_t> kNone;

// What HitTest finds at each of `points`.
Found Hits(const PeriodicLayout& layout, const std::vector<std::pair<int, int>>& points)
{
    Found found;
    for (const auto& [x, y] : points) {
        found.push_back(layout.HitTest(x, y));
    }
    return found;
}

}  // namespace

TEST(PeriodicLayoutTest, PeriodicCellsStretchOverThePane)
{
    // 4 × h ≤ 43 and 3 × (h + 2) ≤ 45 give h = 10; then 43 / 4 and 45 / 3.
    const auto layout = PeriodicLayout::Fit(Periodic(), ElementLayout::Periodic, 43, 45, Simple);
    EXPECT_EQ(Shape(layout), (std::array{10, 4, 3, 10, 15}));
    ASSERT_TRUE(layout.CellOf(2).has_value());
    EXPECT_EQ(layout.CellOf(2)->column, 1);
    EXPECT_EQ(layout.CellOf(2)->row, 2);
}

TEST(PeriodicLayoutTest, GridsFillRowsOfTheMeasuredWidth)
{
    // h = 10 gives 3 × 2 cells for five elements; h = 11 only 2 × 1. Stretched: 32 / 3, 24 / 2.
    for (const ElementLayout kind : {ElementLayout::Alphabetical, ElementLayout::AtomicNumber}) {
        const auto layout = PeriodicLayout::Fit(Named(), kind, 32, 24, Simple);
        EXPECT_EQ(Shape(layout), (std::array{10, 3, 2, 10, 12}));
    }
}

TEST(PeriodicLayoutTest, FindsTheElementUnderThePoint)
{
    // The panes of the two tests above: cells 10 × 15 and 10 × 12, a strip 3 and 2 pixels wide.
    // Periodic: top left, a cell's last pixel, an empty cell, the last column, the bottom row,
    // the strip right of the last column, left of and below the pane.
    EXPECT_EQ(Hits(PeriodicLayout::Fit(Periodic(), ElementLayout::Periodic, 43, 45, Simple),
                   {{0, 0}, {9, 14}, {10, 0}, {39, 5}, {15, 44}, {41, 0}, {-1, 0}, {0, 45}}),
              (Found{0, 0, kNone, 1, 2, kNone, kNone, kNone}));
    // Alphabetical: the first, the first and second of equal names, the second row, the last
    // element, the empty end of the last row, the strip.
    EXPECT_EQ(Hits(PeriodicLayout::Fit(Named(), ElementLayout::Alphabetical, 32, 24, Simple),
                   {{0, 0}, {15, 0}, {25, 11}, {0, 12}, {19, 23}, {25, 15}, {31, 0}}),
              (Found{4, 1, 3, 0, 2, kNone, kNone}));
    // Table order: the first, wrapping, the empty end of the last row, the strip, right of the
    // pane.
    EXPECT_EQ(Hits(PeriodicLayout::Fit(Named(), ElementLayout::AtomicNumber, 32, 24, Simple),
                   {{0, 0}, {5, 20}, {29, 23}, {30, 12}, {32, 0}}),
              (Found{0, 3, kNone, kNone, kNone}));
}

// Every element's own cell leads back to it, in every layout, whatever the names.
TEST(PeriodicLayoutTest, EveryCellHitsItsElement)
{
    for (const ElementLayout kind : kLayouts) {
        const auto elements = Named();
        const auto layout = PeriodicLayout::Fit(elements, kind, 57, 31, Simple);
        ASSERT_EQ(layout.Cells().size(), elements.size());
        for (std::size_t element = 0; element < elements.size(); ++element) {
            const auto cell = layout.CellOf(element);
            ASSERT_TRUE(cell.has_value()) << element;
            EXPECT_EQ(layout.HitTest(cell->column * layout.CellWidth() + layout.CellWidth() / 2,
                                     cell->row * layout.CellHeight() + layout.CellHeight() / 2),
                      element)
                << "layout " << static_cast<int>(kind) << ", element " << element;
        }
    }
}

TEST(PeriodicLayoutTest, ChoosesTheLargestFittingFont)
{
    constexpr ElementLayout kPeriodic = ElementLayout::Periodic;
    const struct {
        ElementLayout layout;
        int width, height, fontHeight;
    } cases[] = {
        // 4 columns × h and 3 rows × (h + 2): width limits, height limits, one below the next
        // size, the largest font, just the smallest, the smallest when not all fit.
        {kPeriodic, 400, 1000, 100},
        {kPeriodic, 1000, 36, 10},
        {kPeriodic, 43, 1000, 10},
        {kPeriodic, 5000, 5000, 200},
        {kPeriodic, 4, 9, 1},
        {kPeriodic, 3, 3, 1},
        // Five cells: h = 19 gives 3 × 2 in 57 × 42, h = 20 only 2 × 1; one row; the smallest
        // when not all fit.
        {ElementLayout::Alphabetical, 57, 42, 19},
        {ElementLayout::AtomicNumber, 100, 22, 20},
        {ElementLayout::AtomicNumber, 2, 3, 1}};
    for (const auto& font : cases) {
        SCOPED_TRACE(std::to_string(font.width) + "x" + std::to_string(font.height));
        int calls = 0;
        const auto measure = [&](int h) {
            ++calls;
            EXPECT_GE(h, 1);
            EXPECT_LE(h, PeriodicLayout::kMaxFontHeight);
            return Simple(h);
        };
        const auto elements = font.layout == kPeriodic ? Periodic() : Named();
        const auto layout =
            PeriodicLayout::Fit(elements, font.layout, font.width, font.height, measure);
        EXPECT_EQ(layout.FontHeight(), font.fontHeight);
        EXPECT_LE(calls, 20);
    }
}

TEST(PeriodicLayoutTest, NoRoomForOneCellGivesNoCells)
{
    const auto big = [](int h) { return PeriodicLayout::CellSize{h + 10, h + 10}; };
    for (const ElementLayout kind : kLayouts) {
        for (const auto& [width, height] :
             std::vector<std::pair<int, int>>{{10, 100}, {100, 10}, {0, 0}, {-5, 100}}) {
            const auto layout = PeriodicLayout::Fit(Named(), kind, width, height, big);
            const auto shape = Shape(layout);
            EXPECT_EQ((std::array{shape[0], shape[1], shape[2]}), (std::array{0, 0, 0}))
                << width << "x" << height;
            EXPECT_TRUE(layout.Cells().empty());
            EXPECT_FALSE(layout.HitTest(0, 0).has_value());
            EXPECT_FALSE(layout.CellOf(0).has_value());
        }
    }
}

TEST(PeriodicLayoutTest, SmallestFontOverflowsThePaneButHitsOnlyInside)
{
    // The table needs 4 cells of 1 pixel in a 3-pixel pane: B's column lies outside.
    const auto layout = PeriodicLayout::Fit(Periodic(), ElementLayout::Periodic, 3, 3, Simple);
    EXPECT_EQ(Shape(layout), (std::array{1, 4, 3, 1, 1}));
    EXPECT_EQ(layout.HitTest(0, 0), 0u);
    EXPECT_EQ(layout.HitTest(1, 2), 2u);
    EXPECT_FALSE(layout.HitTest(3, 0).has_value());
}

TEST(PeriodicLayoutTest, EmptyMeasuresAndEmptyTablesDoNotDivideByZero)
{
    const auto nothing = [](int) { return PeriodicLayout::CellSize{0, -3}; };
    const auto layout = PeriodicLayout::Fit(Periodic(), ElementLayout::Periodic, 8, 6, nothing);
    EXPECT_EQ(Shape(layout), (std::array{PeriodicLayout::kMaxFontHeight, 4, 3, 2, 2}));

    for (const ElementLayout kind : kLayouts) {
        const auto empty = PeriodicLayout::Fit({}, kind, 100, 100, Simple);
        EXPECT_EQ(empty.Rows(), 0);
        EXPECT_TRUE(empty.Cells().empty());
        EXPECT_FALSE(empty.HitTest(0, 0).has_value());
    }
}
