#include "database/TableArray.h"
#include "database/TextTables.h"
#include "graph/GraphPass.h"
#include "graph/SpectrumStatus.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Sources "a" and "b" with lines around 5000 Å and 2500 Å (for the second order), an empty
// source "c", all passing the filter.
class GraphPassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe"}));
        folder.WriteTable(
            "a.swt", {Line(2499000, 1, 1, 30), Line(4997500, 1, 1, 30), Line(4999000, 1, 1, 30),
                      Line(5001000, 1, 1, 30), Line(5002500, 1, 1, 30), Line(5020000, 1, 1, 30)});
        folder.WriteTable("b.swt", {Line(5000000, 1, 1, 20)});
        folder.WriteTable("c.swt", {});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
    }

    // Every visit of a complete pass, as "order:table:wavelength[*]" (* when in the plot).
    std::vector<std::string> Run(const GraphPass::Settings& settings)
    {
        GraphPass pass(text, tables);
        pass.Start(settings);
        std::vector<std::string> seen;
        int steps = 0;
        while (pass.Step([&](const GraphPass::Visit& v) {
            seen.push_back(std::to_string(v.order) + ":" + v.line.table->Label() + ":" +
                           std::to_string(v.line.record.wavelength) + (v.inPlot ? "*" : ""));
            intensities.push_back(v.intensity);
        })) {
            ++steps;
        }
        EXPECT_TRUE(pass.IsComplete());
        EXPECT_FALSE(pass.Step([](const GraphPass::Visit&) { FAIL() << "visited after the end"; }));
        return seen;
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    std::vector<double> intensities;
};

}  // namespace

// Nearest first, alternately below and above; the last table first; order 2 before order 1.
TEST_F(GraphPassTest, WalksOrdersDownTablesBackwardNearestFirst)
{
    GraphPass::Settings settings;
    settings.centre = 5000000;
    settings.orders = {true, true, false, false, false};
    settings.reach = 0.6;
    EXPECT_EQ(Run(settings),
              (std::vector<std::string>{"2:a:2499000*", "1:b:5000000*", "1:a:4999000*",
                                        "1:a:5001000*", "1:a:4997500", "1:a:5002500"}));
    // The second order counts half: its code 30 is 1000 on the linear scale.
    EXPECT_DOUBLE_EQ(intensities[0], 500.0);
    EXPECT_DOUBLE_EQ(intensities[1], 100.0);
}

TEST_F(GraphPassTest, OrdersAsRatiosCanBeSwitchedOff)
{
    GraphPass::Settings settings;
    settings.centre = 5000000;
    settings.orders = {false, true, false, false, false};
    settings.treatOrderAsRatio = false;
    EXPECT_EQ(Run(settings), std::vector<std::string>{"2:a:2499000*"});
    EXPECT_DOUBLE_EQ(intensities[0], 1000.0);
}

// Lines exactly at the edges are in the plot; inactive, empty and far tables draw nothing.
TEST_F(GraphPassTest, EdgesInactiveAndDistantTables)
{
    GraphPass::Settings settings;
    settings.centre = 5000000;
    settings.range = 5.0;  // edges at 4997.5 and 5002.5
    tables.SetActive(1, false);
    EXPECT_EQ(Run(settings), (std::vector<std::string>{"1:a:4999000*", "1:a:5001000*",
                                                       "1:a:4997500*", "1:a:5002500*"}));
    settings.centre = 9000000;  // beyond every table
    EXPECT_TRUE(Run(settings).empty());
    settings.centre = 1000000;  // below every table
    EXPECT_TRUE(Run(settings).empty());
}

TEST_F(GraphPassTest, FilteredLinesAreNotVisited)
{
    text.ElementTable[1].selected = 0;
    tables.Rebuild();  // as a change of selection does: the files take the new filter
    GraphPass::Settings settings;
    settings.centre = 5000000;
    EXPECT_TRUE(Run(settings).empty());
}

// Labels over orders 1 and 2 at 5000 Å, range 4: 4998 ... 5002 and 2498 ... 2502.
TEST(GraphLabelsTest, EachOrderShowsItsOwnRange)
{
    EXPECT_EQ(GraphPass::LabelWavelengths(5000000, 4.0, 1),
              (std::array<int32_t, 3>{4998000, 5000000, 5002000}));
    EXPECT_EQ(GraphPass::LabelWavelengths(5000000, 4.0, 2),
              (std::array<int32_t, 3>{2498000, 2500000, 2502000}));
    // The left edge is truncated as a whole, not after rounding the half range.
    EXPECT_EQ(GraphPass::LabelWavelengths(5000000, 0.011, 1)[0], 4999994);
}

// A line exactly on an edge is in the plot, at x = 0 or x = W, whatever the centre.
TEST_F(GraphPassTest, EdgesHoldForEveryCentre)
{
    GraphPass pass(text, tables);
    for (int32_t centre = 1000000; centre < 1030000; centre += 1) {
        GraphPass::Settings settings;
        settings.centre = centre;
        settings.range = 4.0;
        pass.Start(settings);
        ASSERT_TRUE(pass.InPlot(1, centre - 2000)) << centre;
        ASSERT_TRUE(pass.InPlot(1, centre + 2000)) << centre;
        ASSERT_FALSE(pass.InPlot(1, centre + 2001)) << centre;
        ASSERT_EQ(pass.X(1, centre - 2000, 800), 0) << centre;
        ASSERT_EQ(pass.X(1, centre + 2000, 800), 800) << centre;
        ASSERT_EQ(pass.X(1, centre, 800), 400) << centre;
    }
}

// A velocity moves the plot over the tables' wavelengths: at +120 km/s (λ·1.0004) the lines at
// rest at 4997.5 and 4999 Å stand in the 4 Å plot about 5000 Å, those at 5000 and 5001 Å beyond
// it. The status names what is set.
TEST_F(GraphPassTest, VelocityWalksTheLinesThatItMovesIntoThePlot)
{
    GraphPass::Settings settings;
    settings.centre = 5000000;
    settings.spectrum.velocity = 120.0;
    const double shift = settings.spectrum.Shift();
    std::vector<double> wavelengths;
    GraphPass pass(text, tables);
    pass.Start(settings);
    while (pass.Step([&](const GraphPass::Visit& v) {
        EXPECT_EQ(v.inPlot, std::abs(v.wavelength - 5000.0) <= 2.0);
        EXPECT_EQ(v.position, std::lround(v.wavelength * 1000.0));
        wavelengths.push_back(v.line.record.wavelength * 0.001);
        EXPECT_DOUBLE_EQ(v.wavelength, wavelengths.back() * shift);
    })) {
    }
    std::sort(wavelengths.begin(), wavelengths.end());
    EXPECT_EQ(wavelengths, (std::vector<double>{4997.5, 4999.0}));

    settings.spectrum.shape = LineShape::Voigt;
    settings.spectrum.temperature = 0.5;
    EXPECT_EQ(SpectrumStatus::Text(settings.spectrum, 1),
              "Voigt 0.1 + 0.1 \u00C5  v 120 km/s  T 0.5 eV (1 line in view without atomic data)");
}
