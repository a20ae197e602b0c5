#include "graph/Summation.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double kFloor = Summation::kFloor;

// 800 pixels over 4 Å: 400 samples, 100 per Å, reach two line widths (1.8 Å).
Summation Narrow()
{
    Summation summation;
    summation.Setup(800, 4.0, 0.9);
    summation.SetOrigin(5000.0);
    return summation;
}

bool AllAtFloor(const Summation& summation)
{
    for (double sample : summation.Samples()) {
        if (sample != kFloor) {
            return false;
        }
    }
    return true;
}

// Samples, their spacing and the reach of a line of width 0.5, which is two line widths up to
// 25 Å and one beyond; all samples start at the floor.
TEST(SummationTest, SetupGivesSamplesSpacingAndReach)
{
    const struct {
        int width;
        double range;
        std::size_t count;
        double unitsPerSample, reachAngstrom;
    } cases[] = {{800, 4.0, 400, 0.01, 1.0},
                 {801, 4.0, 400, 0.01, 1.0},
                 {800, 25.0, 400, 0.0625, 1.0},
                 {800, 25.001, 400, 25.001 / 400, 0.5},
                 {800, 30.0, 400, 0.075, 0.5},
                 {3, 4.0, 1, 4.0, 1.0},
                 {1, 4.0, 0, 1.0, 1.0},
                 {-10, 4.0, 0, 1.0, 1.0},
                 {800, 0.0, 400, 0.01 / 400, 1.0},
                 {800, NAN, 400, 0.01 / 400, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " pixels, " + std::to_string(c.range) + " A");
        Summation summation;
        summation.Setup(c.width, c.range, 0.5);
        EXPECT_EQ(summation.Count(), c.count);
        EXPECT_NEAR(summation.UnitsPerSample(), c.unitsPerSample, 1e-12);
        EXPECT_DOUBLE_EQ(summation.ReachAngstrom(0.0), c.reachAngstrom);
        EXPECT_TRUE(AllAtFloor(summation));
    }
}

TEST(SummationTest, LineOnASamplePointRaisesItByItsIntensity)
{
    Summation summation = Narrow();
    summation.Add(100.0, 5002.0);
    const std::vector<double>& samples = summation.Samples();
    EXPECT_DOUBLE_EQ(samples[200], kFloor + 100.0);
    // d = 0.01, e = 2 - 0.01 / 0.91, p = (0.035 / 0.9)^e = 0.00156728; 100 / 2.718^p.
    EXPECT_NEAR(samples[201], kFloor + 99.843410654, 1e-6);
    EXPECT_NEAR(samples[199], samples[201], 1e-9);
    // Exactly 1.8 Å away is still reached: p = 7^(2 - 1.8 / 2.7), 100 / 2.718^p = 1.5317e-4.
    EXPECT_NEAR(samples[20], kFloor + 1.5317037e-4, 1e-10);
    EXPECT_NEAR(samples[380], kFloor + 1.5317037e-4, 1e-10);
    for (std::size_t j : {0, 19, 381, 399}) {
        EXPECT_EQ(samples[j], kFloor) << "sample " << j;
    }
}

TEST(SummationTest, WidePlotsCountANearLineAsOnTheSample)
{
    // 30 Å over 400 samples: 0.075 Å apart, reach one line width.
    Summation summation;
    summation.Setup(800, 30.0, 0.9);
    summation.SetOrigin(4000.0);
    summation.Add(50.0, 4000.0 + 100.3 * 0.075);
    summation.Add(50.0, 4000.0 + 300.5 * 0.075);
    EXPECT_DOUBLE_EQ(summation.Samples()[100], kFloor + 50.0);
    // 0.5 spacings is beyond 1 / 2.1: p = (3.5 * 0.0375 / 0.9)^2 = 0.0212674.
    EXPECT_NEAR(summation.Samples()[300], kFloor + 48.947967659, 1e-6);
}

TEST(SummationTest, ProfileOfALineJustOutsideReachesTheEdge)
{
    Summation summation = Narrow();
    summation.Add(100.0, 4999.8);
    summation.Add(100.0, 5000.0 + 399 * 0.01 + 0.2);
    // d = 0.2, e = 2 - 0.2 / 1.1, p = (0.7 / 0.9)^e = 0.633221; 100 / 2.718^p; the profile is
    // tabulated to 1e-6 of each unit of intensity.
    EXPECT_NEAR(summation.Samples()[0], kFloor + 53.091378320, 1e-4);
    EXPECT_NEAR(summation.Samples()[399], kFloor + 53.091378320, 1e-4);
    EXPECT_EQ(summation.Samples()[200], kFloor);
}

// Lines far outside, at no usable wavelength or of no usable intensity leave every sample.
TEST(SummationTest, UnusableLinesAreIgnored)
{
    const std::pair<double, double> lines[] = {
        // intensity, wavelength
        {100.0, 4000.0}, {100.0, 6004.0},    {1e300, 4000.0}, {1e300, 6004.0},
        {100.0, 1e300},  {100.0, -1e300},    {100.0, NAN},    {100.0, INFINITY},
        {NAN, 5002.0},   {INFINITY, 5002.0}, {0.0, 5002.0}};
    for (const auto& [intensity, wavelength] : lines) {
        Summation summation = Narrow();
        summation.Add(intensity, wavelength);
        EXPECT_TRUE(AllAtFloor(summation)) << intensity << " at " << wavelength;
    }
}

TEST(SummationTest, HugeIntensitiesStayFinite)
{
    Summation summation = Narrow();
    for (int i = 0; i < 3; ++i) {
        summation.Add(1.7e308, 5002.0);
        summation.Add(1e300, 5001.99);
    }
    for (double sample : summation.Samples()) {
        EXPECT_TRUE(std::isfinite(sample));
    }
    EXPECT_GT(summation.Samples()[200], 1e308);
}

TEST(SummationTest, NoSamplesAddNothing)
{
    Summation summation;
    summation.Setup(1, 4.0, 0.9);
    summation.Add(100.0, summation.Origin());
    EXPECT_EQ(summation.Count(), 0u);
}

TEST(SummationTest, RestartReturnsEverySampleToTheFloor)
{
    Summation summation = Narrow();
    summation.Add(100.0, 5001.0);
    summation.Restart();
    EXPECT_TRUE(AllAtFloor(summation));
}

TEST(SummationTest, SampleHeightScalesTruncatesAndLimits)
{
    const struct {
        double sample;
        int plotHeight;
        double linearHeight;
        int height;
    } cases[] = {{50.0, 600, 100.0, 300}, {1.0, 600, 7.0, 85},        {0.001, 600, 100.0, 0},
                 {1e30, 600, 1.0, 32766}, {1e308, 600, 1e-10, 32766}, {-5.0, 600, 100.0, 0},
                 {NAN, 600, 100.0, 0},    {INFINITY, 600, 100.0, 0},  {50.0, 600, 0.0, 0},
                 {50.0, 600, -100.0, 0},  {50.0, -600, 100.0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Summation::SampleHeight(c.sample, c.plotHeight, c.linearHeight), c.height)
            << c.sample << " " << c.plotHeight << " " << c.linearHeight;
    }
}

}  // namespace

// The tabulated profile keeps within 1e-6 of the formula everywhere a line reaches.
TEST(SummationProfileTest, TableFollowsTheFormula)
{
    for (const bool wide : {false, true}) {
        Summation curve;
        curve.Setup(800, wide ? 30.0 : 4.0, 0.9);
        curve.SetOrigin(0.0);
        const double reach = curve.ReachAngstrom(0.0);
        double worst = 0.0;
        for (int i = 0; i <= 10000; ++i) {
            const double distance = reach * i / 10000.0;
            Summation single;
            single.Setup(800, wide ? 30.0 : 4.0, 0.9);
            single.SetOrigin(0.0);
            // A line `distance` before sample 10 (far from the snapping of wide plots).
            const double sampleAt = 10.0 * single.UnitsPerSample();
            if (wide && distance < single.UnitsPerSample() / 2.1) {
                continue;
            }
            single.Add(1.0, sampleAt - distance);
            const double got = single.Samples()[10] - Summation::kFloor;
            worst = std::max(worst, std::abs(got - Summation::ExactProfile(distance, 0.9, wide)));
        }
        EXPECT_LT(worst, 1e-6) << (wide ? "wide" : "narrow");
    }
}
