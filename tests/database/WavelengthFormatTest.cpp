#include "database/DisplaySettings.h"
#include "database/WaveData.h"
#include "database/WavelengthFormat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

WaveData At(int32_t wavelength)
{
    WaveData line;
    line.record.wavelength = wavelength;
    return line;
}

DisplaySettings Units(UnitMode unitMode, int decimals = 3)
{
    DisplaySettings settings;
    settings.unitMode = unitMode;
    settings.decimals = decimals;
    return settings;
}

struct FormatCase {
    int32_t stored;
    UnitMode unitMode;
    int decimals;
    const char* text;
};

class FormatWavelengthTest : public ::testing::TestWithParam<FormatCase> {};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct TypedCase {
    UnitMode unitMode;
    double value;
    std::optional<int32_t> wavelength;
};

class TypedValueTest : public ::testing::TestWithParam<TypedCase> {};

}  // namespace

TEST_P(FormatWavelengthTest, ShowsStoredWavelength)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatWavelength(At(c.stored), Units(c.unitMode, c.decimals)), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatWavelengthTest,
                         ::testing::Values(FormatCase{3961527, kUnitAir, 3, "3961.527"},
                                           FormatCase{3961527, kUnitAir, 4, "396.1527"},
                                           FormatCase{3961527, kUnitAir, 0, "3961527"},
                                           FormatCase{3961527, kUnitAir, 1, "396152.7"},
                                           FormatCase{3961527, kUnitAir, 2, "39615.27"},
                                           FormatCase{3961527, kUnitAir, 5, ""},
                                           FormatCase{1849999, kUnitVacuum, 3,
                                                      "1849.999"},  // already vacuum
                                           FormatCase{5000000, kUnitVacuum, 2, "50013.95"},
                                           FormatCase{5000000, kUnitWaveNumber, 3, "19994.4"},
                                           FormatCase{5000000, kUnitWaveNumber, 0, "19994.4"},
                                           FormatCase{1000000, kUnitWaveNumber, 3, "100000.0"}));

TEST(WavelengthFormatTest, DispersionOfAir)
{
    EXPECT_NEAR(AirToVacuum(5000.0) - 5000.0, 1.394, 0.002);  // n - 1 is about 2.79e-4
    EXPECT_DOUBLE_EQ(AirToVacuum(1849.999), 1849.999);
    EXPECT_GT(AirToVacuum(1850.0), 1850.0);
    EXPECT_DOUBLE_EQ(VacuumToAir(1850.0), 1850.0);
    for (double air : {2000.0, 4000.0, 6562.8, 20000.0}) {
        EXPECT_NEAR(VacuumToAir(AirToVacuum(air)), air, 0.002) << air;
    }
}

TEST(WavelengthFormatTest, TypedValuesGoBackToTheShownLine)
{
    EXPECT_EQ(DisplayValueToWavelength(Units(kUnitAir, 4), 396.1527), 3961527);
    EXPECT_EQ(DisplayValueToWavelength(Units(kUnitAir, 2), 39615.27), 3961527);
    EXPECT_EQ(DisplayValueToWavelength(Units(kUnitAir, 3), 3961.527), 3961527);
    EXPECT_EQ(DisplayValueToWavelength(Units(kUnitAir, 0), 3961527), 3961527);
}

TEST(WavelengthFormatTest, VacuumAndWaveNumberInputRoundTrip)
{
    for (int decimals : {3, 4}) {
        for (int32_t stored : {2000000, 5000000, 6562800, 12000000}) {
            const DisplaySettings vacuum = Units(kUnitVacuum, decimals);
            const double shown = std::stod(FormatWavelength(At(stored), vacuum));
            EXPECT_NEAR(DisplayValueToWavelength(vacuum, shown).value_or(0), stored, 3) << stored;
            const DisplaySettings waveNumber = Units(kUnitWaveNumber, decimals);
            const double number = std::stod(FormatWavelength(At(stored), waveNumber));
            // One decimal of cm⁻¹ is coarse: at 1.2 µm it is 0.01 Å.
            EXPECT_NEAR(DisplayValueToWavelength(waveNumber, number).value_or(0), stored, 200)
                << stored;
        }
    }
}

TEST_P(TypedValueTest, GivesAWavelengthOnlyForUsableNumbers)
{
    const TypedCase& c = GetParam();
    EXPECT_EQ(DisplayValueToWavelength(Units(c.unitMode), c.value), c.wavelength);
}

// Garbage gives nothing; finite numbers beyond the 32-bit range are limited to it.
INSTANTIATE_TEST_SUITE_P(Cases, TypedValueTest,
                         ::testing::Values(TypedCase{kUnitWaveNumber, 0.0, std::nullopt},
                                           TypedCase{kUnitWaveNumber, -0.0, std::nullopt},
                                           TypedCase{kUnitWaveNumber, -20000.0, std::nullopt},
                                           TypedCase{kUnitWaveNumber, kNaN, std::nullopt},
                                           TypedCase{kUnitWaveNumber, kInfinity, std::nullopt},
                                           TypedCase{kUnitAir, kNaN, std::nullopt},
                                           TypedCase{kUnitAir, kInfinity, std::nullopt},
                                           TypedCase{kUnitVacuum, -kInfinity, std::nullopt},
                                           TypedCase{kUnitWaveNumber, 1e-300, 2147483647},
                                           TypedCase{kUnitAir, 1e300, 2147483647},
                                           TypedCase{kUnitAir, -1e300, -2147483647 - 1},
                                           TypedCase{kUnitVacuum, 1e300, 2147483647},
                                           TypedCase{kUnitWaveNumber, 100000.0, 1000000}));

TEST(WavelengthFormatTest, UnitSuffixFollowsDecimals)
{
    EXPECT_EQ(WavelengthUnitSuffix(3), " \u00C5");
    EXPECT_EQ(WavelengthUnitSuffix(4), " nm");
    EXPECT_EQ(WavelengthUnitSuffix(2), "");
    const DisplaySettings shifted{kUnitAir, 1};
    EXPECT_EQ(DisplayUnit(shifted), "0.01 \u00C5");
    EXPECT_EQ(DisplayUnit({kUnitWaveNumber, 1}), "cm\u207B\u00B9");
}
