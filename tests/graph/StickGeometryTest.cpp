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

// Under 50 pixels the minimum is 0: still nothing at 0 or below.
TEST(StickGeometryTest, DrawsAndLabelsOnlyTallEnoughSticks)
{
    const struct {
        int plotHeight, height;
        bool drawn, labelled;
    } cases[] = {{600, 11, false, false}, {600, 12, true, false},           {600, 72, true, false},
                 {600, 73, true, true},   {600, -100, false, false},        {40, 0, false, false},
                 {40, -3, false, false},  {600, -2147483647, false, false}, {40, 1, true, false}};
    for (const auto& c : cases) {
        const StickGeometry geometry = StickGeometry::For(800, c.plotHeight, 4.0, 0.9);
        EXPECT_EQ(geometry.IsDrawn(c.height), c.drawn) << c.plotHeight << " " << c.height;
        EXPECT_EQ(geometry.IsLabelled(c.height), c.labelled) << c.plotHeight << " " << c.height;
    }
}

// Scaled, truncated and limited to what a 16-bit coordinate holds; unusable input gives 0.
TEST(StickGeometryTest, StickHeightScalesTruncatesAndLimits)
{
    const struct {
        double intensity;
        int plotHeight;
        double linearHeight;
        int height;
    } cases[] = {{10.0, 600, 100.0, 60},     {10.0, 600, 7.0, 857},
                 {0.1, 600, 1000.0, 0},      {std::pow(10.0, 25.5), 600, 1000.0, 32766},
                 {1e308, 600, 1e-10, 32766}, {-10.0, 600, 100.0, 0},
                 {NAN, 600, 100.0, 0},       {INFINITY, 600, 100.0, 0},
                 {10.0, 600, 0.0, 0},        {10.0, 600, NAN, 0},
                 {10.0, 0, 100.0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(StickGeometry::StickHeight(c.intensity, c.plotHeight, c.linearHeight), c.height)
            << c.intensity << " " << c.plotHeight << " " << c.linearHeight;
    }
}

}  // namespace
