#include "TestFiles.h"
#include "database/TableArray.h"
#include "database/TextTables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace {

class TableArrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "He", "Li", "Fe"}));
        tables.Load(folder.Path());
    }

    void FillCompletely()
    {
        while (array.FillStep()) {
        }
    }

    std::vector<int32_t> Listed() const
    {
        std::vector<int32_t> result;
        const ValidRecordsArray& list = array.DisplayList();
        for (uint32_t slot = list.First(); !list.IsEmpty() && slot <= list.Last(); ++slot) {
            result.push_back(list.WavelengthAt(slot));
        }
        return result;
    }

    TempFolder folder;
    TextTables tables;
    TableArray array{tables};
};

std::vector<LineRecord> Ramp(int count, int32_t start, int32_t step, uint8_t element = 0)
{
    std::vector<LineRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(Line(start + i * step, element));
    }
    return records;
}

}  // namespace

TEST_F(TableArrayTest, ScanFindsTablesInNameOrderWithLabels)
{
    folder.WriteTable("b.swt", Ramp(3, 100, 1));
    folder.WriteTable("Sample.SWT", Ramp(3, 100, 1));
    folder.WriteTable("a.swt", Ramp(3, 100, 1));
    folder.WriteText("notes.txt", "x");
    folder.WriteText(".swt", "");
    array.ScanDirectory(folder.Path());
    ASSERT_EQ(array.FileCount(), 3u);
    EXPECT_EQ(array.FileAt(0).Label(), "a");
    EXPECT_EQ(array.FileAt(1).Label(), "b");
    EXPECT_EQ(array.FileAt(2).FileName(), "sample.swt");
    EXPECT_EQ(array.FileAt(2).Label(), "Sample");
    EXPECT_TRUE(array.IsActive(2));
}

TEST_F(TableArrayTest, FullFillMergesEverySourceInOrder)
{
    folder.WriteTable("a.swt", Ramp(300, 1000, 7, 0));
    folder.WriteTable("b.swt", Ramp(200, 1500, 11, 1));
    folder.WriteTable("empty.swt", {});
    array.ScanDirectory(folder.Path());
    array.GoToWavelength(2000);
    EXPECT_GT(array.Progress(), 0.0);
    EXPECT_LT(array.Progress(), 1.0);
    FillCompletely();
    const auto listed = Listed();
    EXPECT_EQ(listed.size(), 500u);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    EXPECT_DOUBLE_EQ(array.Progress(), 1.0);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 2001);  // 1000 + 7 * 143
}

TEST_F(TableArrayTest, ProgressIsZeroWithoutActiveSources)
{
    EXPECT_DOUBLE_EQ(array.Progress(), 0.0);
    folder.WriteTable("a.swt", Ramp(10, 1000, 1));
    array.ScanDirectory(folder.Path());
    array.Deactivate(0);
    EXPECT_DOUBLE_EQ(array.Progress(), 0.0);
    EXPECT_FALSE(array.FillStep());
    EXPECT_EQ(array.DisplayList().Count(), 0u);
}

TEST_F(TableArrayTest, GoToInsideAFilledListMovesCursorWithoutRebuilding)
{
    folder.WriteTable("a.swt", Ramp(100, 1000, 10));
    array.ScanDirectory(folder.Path());
    array.GoToWavelength(1500);
    FillCompletely();
    array.GoToWavelength(1234);
    EXPECT_EQ(array.DisplayList().Count(), 100u);  // nothing was thrown away
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1230);
    EXPECT_FALSE(array.FillStep());
}

TEST_F(TableArrayTest, GoToOutsideTheScannedRangeRebuildsAroundTheTarget)
{
    folder.WriteTable("a.swt", Ramp(1000, 1000, 10));
    array.ScanDirectory(folder.Path());
    array.GoToWavelength(2000);
    array.FillStep();
    array.GoToWavelength(9000);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 9000);
    EXPECT_LE(array.DisplayList().Count(), 2u);
    FillCompletely();
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 9000);
    EXPECT_EQ(array.DisplayList().Count(), 1000u);
}

TEST_F(TableArrayTest, GoToKeepsAFullListWhenSourcesCoverDifferentRanges)
{
    folder.WriteTable("blue.swt", Ramp(100, 1000, 10));
    folder.WriteTable("red.swt", Ramp(100, 5000, 10));
    folder.WriteTable("empty.swt", {});
    array.ScanDirectory(folder.Path());
    array.GoToWavelength(3000);
    FillCompletely();
    ASSERT_EQ(array.DisplayList().Count(), 200u);
    array.GoToWavelength(1700);  // inside blue's range only: nothing needs reading again
    EXPECT_EQ(array.DisplayList().Count(), 200u);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1700);
    EXPECT_FALSE(array.FillStep());
}

TEST_F(TableArrayTest, SpanLimitsTheScanAndStopsAskingForWork)
{
    folder.WriteTable("a.swt", Ramp(1000, 1000, 10));
    array.ScanDirectory(folder.Path());
    array.SetSpan(100);
    array.GoToWavelength(5000);
    FillCompletely();  // ends: a file held by its limits has no work
    const auto listed = Listed();
    EXPECT_GE(listed.front(), 4890);
    EXPECT_LE(listed.back(), 5110);
    EXPECT_LT(array.Progress(), 1.0);
    // Moving re-applies the window around the new line, which gives work again.
    EXPECT_EQ(array.MoveBy(5), 5);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 5050);
    EXPECT_TRUE(array.FillStep());
    FillCompletely();
    // Going to a listed line moves the window the same way.
    array.GoToWavelength(5140);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 5140);
    FillCompletely();
    EXPECT_GE(Listed().back(), 5240);
}

TEST_F(TableArrayTest, MoveByFromTheLastLineCountsEveryCall)
{
    folder.WriteTable("a.swt", Ramp(10, 1000, 10));
    array.ScanDirectory(folder.Path());
    array.GoToWavelength(1090);
    FillCompletely();
    EXPECT_EQ(array.MoveBy(5), 5);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1090);
    EXPECT_EQ(array.MoveBy(-3), 3);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1060);
    EXPECT_EQ(array.MoveBy(std::numeric_limits<int>::min()), std::numeric_limits<int>::max());
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1000);
}

TEST_F(TableArrayTest, FilterSettingsReachEveryFileOnRebuild)
{
    std::vector<LineRecord> records = Ramp(20, 1000, 10, 0);
    for (int i = 0; i < 20; i += 2) {
        records[i].elementCode = 3;
        records[i].intensityCode = static_cast<uint8_t>(i);
    }
    folder.WriteTable("a.swt", records);
    array.ScanDirectory(folder.Path());
    tables.ElementTable[0].selected = 0;  // H off: only Fe remains
    tables.ElementTable[3].ratio = 2.0;
    array.SetUseRatios(true);
    array.SetMinimumIntensity(20);  // Fe lines with code 10 and above pass with ratio 2
    array.Rebuild();
    FillCompletely();
    EXPECT_EQ(Listed().size(), 5u);
}

TEST_F(TableArrayTest, FillWithBudgetRunsToTheEnd)
{
    folder.WriteTable("a.swt", Ramp(5000, 1000, 1));
    array.ScanDirectory(folder.Path());
    array.GoToWavelength(3000);
    while (array.Fill(std::chrono::microseconds(200))) {
    }
    EXPECT_EQ(array.DisplayList().Count(), 5000u);
}
