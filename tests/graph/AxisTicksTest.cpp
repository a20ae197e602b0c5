#include "database/DisplaySettings.h"
#include "graph/AxisTicks.h"

#include <gtest/gtest.h>

// Ticks stand at round numbers of the unit shown: shifted by DECIMALS, or in wave numbers,
// which run the other way along the axis.
TEST(AxisTicksTest, WavelengthTicksAreRoundInTheUnitShown)
{
    const DisplaySettings shifted{kUnitAir, 2};
    const auto ticks = AxisTicks::Wavelength(4356.335, 4360.335, shifted, 8);
    ASSERT_EQ(ticks.size(), 8u);
    EXPECT_EQ(ticks.front().label, "43565");
    EXPECT_NEAR(ticks.front().position, (4356.5 - 4356.335) / 4.0, 1e-6);
    EXPECT_EQ(ticks.back().label, "43600");

    const auto waveNumbers = AxisTicks::Wavelength(4356.335, 4360.335, {kUnitWaveNumber, 3}, 4);
    ASSERT_GE(waveNumbers.size(), 2u);
    EXPECT_LT(waveNumbers.front().position, waveNumbers.back().position);
    EXPECT_GT(std::stod(waveNumbers.front().label), std::stod(waveNumbers.back().label));
}

// Linear: round intensities up to the top. Logarithmic: the decades that stand apart, by log10.
// A scale of its own may start below zero.
TEST(AxisTicksTest, IntensityTicksFollowTheScaleShown)
{
    EXPECT_EQ(AxisTicks::Intensity(150.0, true, 5),
              (std::vector<AxisTick>{{1.0 / 3, "50"}, {2.0 / 3, "100"}, {1.0, "150"}}));
    EXPECT_EQ(AxisTicks::Intensity(14000.0, false, 8),
              (std::vector<AxisTick>{{1000.0 / 14000, "3"}, {10000.0 / 14000, "4"}}));
    EXPECT_EQ(AxisTicks::Linear(-5.0, 50.0, 5),
              (std::vector<AxisTick>{{5.0 / 55, "0"}, {25.0 / 55, "20"}, {45.0 / 55, "40"}}));
}
