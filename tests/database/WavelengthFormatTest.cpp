#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WaveData.h"
#include "database/WavelengthFormat.h"

#include <gtest/gtest.h>

namespace {

WaveData At(int32_t wavelength)
{
    WaveData line;
    line.record.wavelength = wavelength;
    return line;
}

struct FormatCase {
    int32_t stored;
    int unitMode;
    int decimals;
    const char* text;
};

class FormatWavelengthTest : public ::testing::TestWithParam<FormatCase> {};

}  // namespace

TEST_P(FormatWavelengthTest, ShowsStoredWavelength)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatWavelength(At(c.stored), c.unitMode, c.decimals), c.text);
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
    TextTables text;
    TableArray tables(text);
    tables.SetDecimals(4);
    EXPECT_EQ(DisplayValueToWavelength(tables, 396.1527), 3961527);
    tables.SetDecimals(2);
    EXPECT_EQ(DisplayValueToWavelength(tables, 39615.27), 3961527);
    tables.SetDecimals(3);
    EXPECT_EQ(DisplayValueToWavelength(tables, 3961.527), 3961527);
    tables.SetDecimals(0);
    EXPECT_EQ(DisplayValueToWavelength(tables, 3961527), 3961527);
}

TEST(WavelengthFormatTest, VacuumAndWaveNumberInputRoundTrip)
{
    TextTables text;
    TableArray tables(text);
    for (int decimals : {3, 4}) {
        tables.SetDecimals(decimals);
        for (int32_t stored : {2000000, 5000000, 6562800, 12000000}) {
            tables.SetUnitMode(kUnitVacuum);
            const double shown = std::stod(FormatWavelength(At(stored), kUnitVacuum, decimals));
            EXPECT_NEAR(DisplayValueToWavelength(tables, shown), stored, 3) << stored;
            tables.SetUnitMode(kUnitWaveNumber);
            const double number =
                std::stod(FormatWavelength(At(stored), kUnitWaveNumber, decimals));
            // One decimal of cm⁻¹ is coarse: at 1.2 µm it is 0.01 Å.
            EXPECT_NEAR(DisplayValueToWavelength(tables, number), stored, 200) << stored;
        }
    }
}

TEST(WavelengthFormatTest, ImpossibleInputStaysInRange)
{
    TextTables text;
    TableArray tables(text);
    tables.SetUnitMode(kUnitWaveNumber);
    EXPECT_EQ(DisplayValueToWavelength(tables, 0.0), 2147483647);
    tables.SetUnitMode(kUnitAir);
    EXPECT_EQ(DisplayValueToWavelength(tables, 1e300), 2147483647);
    EXPECT_EQ(DisplayValueToWavelength(tables, -1e300), -2147483647 - 1);
}

TEST(WavelengthFormatTest, UnitSuffixFollowsDecimals)
{
    EXPECT_EQ(WavelengthUnitSuffix(3), " \u00C5");
    EXPECT_EQ(WavelengthUnitSuffix(4), " nm");
    EXPECT_EQ(WavelengthUnitSuffix(2), "");
}
