#include "database/DisplayWaveData.h"
#include "database/IntensityFormat.h"
#include "database/TextTables.h"
#include "database/WavetableFile.h"
#include "framework/NumberFormat.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

DisplayWaveData WithCode(int code, double ratio = 1.0, const WavetableFile* file = nullptr)
{
    DisplayWaveData line;
    line.intensity = code;
    line.ratio = ratio;
    line.table = file;
    return line;
}

struct IntensityCase {
    int code;
    bool linear;
    const char* text;
};

class FormatIntensityTest : public ::testing::TestWithParam<IntensityCase> {};

}  // namespace

TEST_P(FormatIntensityTest, ShowsCodeOnScale)
{
    const auto& c = GetParam();
    EXPECT_EQ(FormatIntensity(WithCode(c.code), c.linear, false, false), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatIntensityTest,
    ::testing::Values(IntensityCase{0, false, "   .   "}, IntensityCase{0, true, "    .  "},
                      IntensityCase{30, false, "3.0"}, IntensityCase{30, true, "1000"},
                      IntensityCase{37, true, "5000"},  // 5012
                      IntensityCase{1, true, "1"}, IntensityCase{20, true, "100"},
                      IntensityCase{41, true, "12000"},  // 12589
                      IntensityCase{255, false, "25.5"}));

TEST(IntensityFormatTest, ScalesOfACode)
{
    EXPECT_DOUBLE_EQ(LinearIntensity(0), 0.0);
    EXPECT_DOUBLE_EQ(LinearIntensity(1), 1.0);
    EXPECT_DOUBLE_EQ(LinearIntensity(30), 1000.0);
    EXPECT_DOUBLE_EQ(LinearIntensity(37), 5012.0);
    EXPECT_DOUBLE_EQ(LogIntensity(30), 3.0);
}

TEST(IntensityFormatTest, ValueAppliesScaleAndRatioOnlyWhenAsked)
{
    TempFolder folder;
    TextTables tables;
    WavetableFile file(folder.File("none.swt"), "none", tables);
    file.SetScale(0.5);
    const DisplayWaveData line = WithCode(30, 4.0, &file);
    EXPECT_DOUBLE_EQ(IntensityValue(line, true, false, false), 1000.0);
    EXPECT_DOUBLE_EQ(IntensityValue(line, true, true, false), 4000.0);
    EXPECT_DOUBLE_EQ(IntensityValue(line, true, true, true), 2000.0);
    EXPECT_DOUBLE_EQ(IntensityValue(line, false, false, true), 1.5);
    EXPECT_EQ(FormatIntensity(line, false, false, false), "3.0");  // the data window's form
}

TEST(IntensityFormatTest, MinimumIntensityShowsOnTheDataWindowScale)
{
    EXPECT_EQ(MinimumIntensityText(0.0, true), "0.0");
    EXPECT_EQ(MinimumIntensityText(0.0, false), "0.0");
    EXPECT_EQ(MinimumIntensityText(30.0, true), "1000.0");
    EXPECT_EQ(MinimumIntensityText(12.5, true), "18.0");  // 17.78 rounded to a whole number
    EXPECT_EQ(MinimumIntensityText(12.5, false), "1.2");  // 1.25 in binary is just below
    // A typed linear minimum shows as typed, not one lower.
    for (double typed : {2.0, 5.0, 7.0, 100.0, 12345.0}) {
        EXPECT_EQ(MinimumIntensityText(DisplayValueToIntensity(typed, true, 1.0), true),
                  FormatFixedPoint(typed, 1));
    }
}

TEST(IntensityFormatTest, EnteredValuesBecomeCodes)
{
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(3.0, false, 1.0), 30.0);
    EXPECT_NEAR(DisplayValueToIntensity(1000.5, true, 1.0), 30.0, 1e-6);
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(0.0, true, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(6.0, false, 2.0), 30.0);
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(6.0, false, 0.0), 0.0);
    // Below the smallest linear intensity: no minimum rather than an impossible one.
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(0.3, true, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(0.5, true, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(DisplayValueToIntensity(-5.0, false, 1.0), 0.0);
}

TEST(IntensityFormatTest, DisplayLineLooksUpItsTexts)
{
    TempFolder folder;
    LineRecord record = Line(5000000, 1, 24, 30);
    record.descriptionCode = 1;
    record.referenceCode = 7;  // no such reference
    folder.WriteTable("t.swt", {record});
    folder.WriteText("ELEMENTS", ElementsText({"H", "Fe"}));
    folder.WriteText("DESCRIPT", "blend");
    TextTables tables;
    tables.Load(folder.Path());
    tables.ElementTable[1].ratio = 2.5;
    WavetableFile file(folder.File("t.swt"), "t", tables);
    file.SetUseRatios(true);
    const auto line = DisplayWaveData::FromFile(file, 0, tables);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->elementName, "Fe");
    EXPECT_EQ(line->valenceName, "Ox");
    EXPECT_EQ(line->description, "blend");
    EXPECT_EQ(line->reference, "");
    EXPECT_DOUBLE_EQ(line->ratio, 2.5);
    EXPECT_DOUBLE_EQ(line->intensity, 30.0);
    EXPECT_EQ(line->passes, 1);
    EXPECT_FALSE(DisplayWaveData::FromFile(file, 1, tables).has_value());
}
