#include "graph/StickGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(StickGeometryTest, ShapeFollowsTheClientSizeRangeAndLineWidth)
{
    const StickGeometry geometry = StickGeometry::For(800, 600, 4.0, 0.9);
    EXPECT_EQ(geometry.labelThreshold, 72);
    EXPECT_EQ(geometry.minimumLineHeight, 12);
    EXPECT_DOUBLE_EQ(geometry.peakHalfWidth, 90.0);
    EXPECT_DOUBLE_EQ(geometry.shoulderWidth, 67.5);
    EXPECT_DOUBLE_EQ(geometry.tipWidth, 27.0);
}

TEST(StickGeometryTest, UnusableRangeAndWidthAreTakenAsTheSmallest)
{
    EXPECT_DOUBLE_EQ(StickGeometry::For(800, 600, 0.0, 0.9).peakHalfWidth, 36000.0);
    EXPECT_DOUBLE_EQ(StickGeometry::For(800, 600, 4.0, -1.0).peakHalfWidth, 1.0);
    EXPECT_DOUBLE_EQ(StickGeometry::For(800, 600, NAN, 0.9).peakHalfWidth, 36000.0);
}

struct ThresholdCase {
    int plotHeight;
    int height;
    bool drawn;
    bool labelled;
};

class StickThresholdTest : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(StickThresholdTest, DrawsAndLabelsOnlyTallEnoughSticks)
{
    const ThresholdCase& c = GetParam();
    const StickGeometry geometry = StickGeometry::For(800, c.plotHeight, 4.0, 0.9);
    EXPECT_EQ(geometry.IsDrawn(c.height), c.drawn) << c.height;
    EXPECT_EQ(geometry.IsLabelled(c.height), c.labelled) << c.height;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StickThresholdTest,
    ::testing::Values(ThresholdCase{600, 11, false, false}, ThresholdCase{600, 12, true, false},
                      ThresholdCase{600, 72, true, false}, ThresholdCase{600, 73, true, true},
                      ThresholdCase{600, -100, false, false},
                      ThresholdCase{600, -2147483647, false, false},
                      // Under 50 pixels the minimum is 0: still nothing
                      // at 0 or below.
                      ThresholdCase{40, 0, false, false}, ThresholdCase{40, -3, false, false},
                      ThresholdCase{40, 1, true, false}));

struct StickHeightCase {
    double intensity;
    int plotHeight;
    double linearHeight;
    int height;
};

class StickHeightTest : public ::testing::TestWithParam<StickHeightCase> {};

TEST_P(StickHeightTest, ScalesTruncatesAndLimits)
{
    const StickHeightCase& c = GetParam();
    EXPECT_EQ(StickGeometry::StickHeight(c.intensity, c.plotHeight, c.linearHeight), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StickHeightTest,
    ::testing::Values(StickHeightCase{10.0, 600, 100.0, 60}, StickHeightCase{10.0, 600, 7.0, 857},
                      StickHeightCase{0.1, 600, 1000.0, 0},
                      StickHeightCase{std::pow(10.0, 25.5), 600, 1000.0, 32766},
                      StickHeightCase{1e308, 600, 1e-10, 32766},
                      StickHeightCase{-10.0, 600, 100.0, 0}, StickHeightCase{NAN, 600, 100.0, 0},
                      StickHeightCase{INFINITY, 600, 100.0, 0}, StickHeightCase{10.0, 600, 0.0, 0},
                      StickHeightCase{10.0, 600, NAN, 0}, StickHeightCase{10.0, 0, 100.0, 0}));

}  // namespace
