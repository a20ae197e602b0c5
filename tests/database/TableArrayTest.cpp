#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

namespace {

class TableArrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "He", "Li", "Fe"}));
        tables.Load(folder.Path());
    }

    std::vector<int32_t> Listed() const { return Wavelengths(array.DisplayList()); }

    // Writes a.swt, b.swt, ... and scans the folder.
    void Scan(const std::vector<std::vector<LineRecord>>& files)
    {
        for (size_t i = 0; i < files.size(); ++i) {
            folder.WriteTable(std::string(1, static_cast<char>('a' + i)) + ".swt", files[i]);
        }
        array.ScanDirectory(folder.Path());
    }

    void FillAt(int32_t wavelength)
    {
        array.GoToWavelength(wavelength);
        FillCompletely(array);
    }

    TempFolder folder;
    TextTables tables;
    TableArray array{tables};
};

constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

struct MoveCase {
    const char* name;
    int32_t start;
    int lines;
    int moved;
    int32_t end;
};

// Ten lines, 1000 to 1090 Å/1000 in steps of 10, of which 1020 to 1040 are listed twice.
class MoveByTest : public TableArrayTest, public ::testing::WithParamInterface<MoveCase> {};

struct SettingCase {
    const char* name;
    void (*action)(TableArray& array);
    bool changes;
};

class SettingsRevisionTest : public TableArrayTest,
                             public ::testing::WithParamInterface<SettingCase> {};

struct FillAroundCase {
    const char* name;
    int32_t low;
    int32_t high;
    int32_t span;     // the scan window either side of the target, 1200
    bool nearTarget;  // the bounds enclose what one fill step read: only the window is read
};

// Lines 1000 to 1990 in steps of 10, four more at 1500 from a second source, and a switched-off
// third source with lines in between.
class FillAroundTest : public TableArrayTest,
                       public ::testing::WithParamInterface<FillAroundCase> {};

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
    EXPECT_EQ((std::vector{array.FileAt(0).Label(), array.FileAt(1).Label(),
                           array.FileAt(2).Label(), array.FileAt(2).FileName()}),
              (std::vector<std::string>{"a", "b", "Sample", "sample.swt"}));
    EXPECT_TRUE(array.IsActive(2));
}

TEST_F(TableArrayTest, EntriesNamedLikeTablesThatAreNoFilesAreNamedAndNotOpened)
{
    folder.WriteTable("a.swt", Ramp(3, 100, 1));
    std::filesystem::create_directory(folder.File("d.swt"));
    ASSERT_EQ(::mkfifo(folder.File("f.swt").c_str(), 0600), 0);  // opening it would block
    std::filesystem::create_symlink(folder.File("gone"), folder.File("l.swt"));
    array.ScanDirectory(folder.Path());
    EXPECT_EQ(array.FileCount(), 1u);
    EXPECT_EQ(array.TakeWarnings(),
              (std::vector<std::string>{
                  folder.File("d.swt") + ": is not a regular file; not read as a table",
                  folder.File("f.swt") + ": is not a regular file; not read as a table",
                  folder.File("l.swt") + ": is a broken link; not read as a table"}));
}

TEST_F(TableArrayTest, FullFillMergesEverySourceInOrder)
{
    Scan({Ramp(300, 1000, 7, 0), Ramp(200, 1500, 11, 1), {}});
    array.GoToWavelength(2000);
    EXPECT_GT(array.Progress(), 0.0);
    EXPECT_LT(array.Progress(), 1.0);
    FillCompletely(array);
    const auto listed = Listed();
    EXPECT_EQ(listed.size(), 500u);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    EXPECT_DOUBLE_EQ(array.Progress(), 1.0);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 2001);  // 1000 + 7 * 143
}

TEST_F(TableArrayTest, ProgressIsZeroWithoutActiveSources)
{
    EXPECT_DOUBLE_EQ(array.Progress(), 0.0);
    Scan({Ramp(10, 1000, 1)});
    array.Deactivate(0);
    EXPECT_DOUBLE_EQ(array.Progress(), 0.0);
    EXPECT_FALSE(array.FillStep());
    EXPECT_EQ(array.DisplayList().Count(), 0u);
}

TEST_F(TableArrayTest, GoToOutsideTheScannedRangeRebuildsAroundTheTarget)
{
    Scan({Ramp(1000, 1000, 10)});
    array.GoToWavelength(2000);
    array.FillStep();
    array.GoToWavelength(9000);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 9000);
    EXPECT_LE(array.DisplayList().Count(), 2u);
    FillCompletely(array);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 9000);
    EXPECT_EQ(array.DisplayList().Count(), 1000u);
}

TEST_F(TableArrayTest, GoToInsideAFilledListMovesCursorWithoutRebuilding)
{
    Scan({Ramp(100, 1000, 10), Ramp(100, 5000, 10), {}});
    FillAt(3000);
    ASSERT_EQ(array.DisplayList().Count(), 200u);
    array.GoToWavelength(1234);  // inside blue's range only: nothing needs reading again
    EXPECT_EQ(array.DisplayList().Count(), 200u);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1230);
    EXPECT_FALSE(array.FillStep());
}

TEST_F(TableArrayTest, SpanLimitsTheScanAndStopsAskingForWork)
{
    Scan({Ramp(1000, 1000, 10)});
    array.SetSpan(100);
    array.GoToWavelength(5000);
    FillCompletely(array);  // ends: a file held by its limits has no work
    const auto listed = Listed();
    EXPECT_GE(listed.front(), 4890);
    EXPECT_LE(listed.back(), 5110);
    EXPECT_LT(array.Progress(), 1.0);
    // Moving re-applies the window around the new line, which gives work again.
    EXPECT_EQ(array.MoveBy(5), 5);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 5050);
    EXPECT_TRUE(array.FillStep());
    FillCompletely(array);
    // Going to a listed line moves the window the same way.
    array.GoToWavelength(5140);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 5140);
    FillCompletely(array);
    EXPECT_GE(Listed().back(), 5240);
}

TEST_P(MoveByTest, ReturnsTheSignedNumberOfLinesMoved)
{
    const MoveCase& c = GetParam();
    Scan({Ramp(10, 1000, 10), Ramp(3, 1020, 10)});
    FillAt(c.start);
    ASSERT_EQ(array.DisplayList().Count(), 13u);
    EXPECT_EQ(array.MoveBy(c.lines), c.moved);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), c.end);
}

INSTANTIATE_TEST_SUITE_P(Cases, MoveByTest,
                         ::testing::Values(MoveCase{"UpOverDuplicates", 1010, 3, 3, 1040},
                                           MoveCase{"DownOverDuplicates", 1050, -3, -3, 1020},
                                           MoveCase{"UpPastTheEnd", 1070, 5, 2, 1090},
                                           MoveCase{"DownPastTheStart", 1020, -5, -2, 1000},
                                           MoveCase{"UpAtTheEnd", 1090, 1, 0, 1090},
                                           MoveCase{"DownAtTheStart", 1000, -1, 0, 1000},
                                           MoveCase{"MaxInt", 1030, kMaxInt, 6, 1090},
                                           MoveCase{"MinInt", 1030, kMinInt, -3, 1000},
                                           MoveCase{"MinIntAtTheStart", 1000, kMinInt, 0, 1000},
                                           MoveCase{"Nothing", 1030, 0, 0, 1030}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableArrayTest, MoveByInAnEmptyListMovesNothing)
{
    Scan({Ramp(10, 1000, 10)});
    array.Deactivate(0);
    for (int lines : {1, -1, kMaxInt, kMinInt}) {
        EXPECT_EQ(array.MoveBy(lines), 0) << lines;
    }
    EXPECT_TRUE(array.DisplayList().IsEmpty());
}

TEST_F(TableArrayTest, GoToDisplayValueRefusesNumbersWithoutAWavelength)
{
    Scan({Ramp(100, 1000, 10)});
    FillAt(1500);
    // Which numbers have no wavelength is tested with DisplayValueToWavelength.
    array.SetUnitMode(kUnitWaveNumber);
    const uint64_t revision = array.DisplayList().Revision();
    EXPECT_FALSE(array.GoToDisplayValue(0.0));
    EXPECT_EQ(array.DisplayList().Revision(), revision);
    EXPECT_EQ(array.DisplayList().Count(), 100u);
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1500);
    array.SetUnitMode(kUnitAir);
    EXPECT_TRUE(array.GoToDisplayValue(1.7));
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1700);
}

TEST_P(SettingsRevisionTest, ChangesWithEverySetterAndSource)
{
    const SettingCase& c = GetParam();
    Scan({Ramp(10, 1000, 10)});
    array.GoToWavelength(1050);
    const uint64_t before = array.SettingsRevision();
    c.action(array);
    EXPECT_EQ(array.SettingsRevision() != before, c.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRevisionTest,
    ::testing::Values(
        SettingCase{"Decimals", [](auto& array) { array.SetDecimals(4); }, true},
        SettingCase{"UnitMode", [](auto& array) { array.SetUnitMode(kUnitVacuum); }, true},
        SettingCase{"Span", [](auto& array) { array.SetSpan(100); }, true},
        SettingCase{"Ratios", [](auto& array) { array.SetUseRatios(true); }, true},
        SettingCase{"Minimum", [](auto& array) { array.SetMinimumIntensity(12.5); }, true},
        SettingCase{"Linear", [](auto& array) { array.SetLinear(false); }, true},
        SettingCase{"Deactivate", [](auto& array) { array.Deactivate(0); }, true},
        SettingCase{"Activate",
                    [](auto& array) {
                        array.FileAt(0).Deactivate();  // behind the array's back: no count
                        array.Activate(0);
                    },
                    true},
        SettingCase{"MovesAndReads",
                    [](auto& array) {
                        array.GoToWavelength(1020);
                        array.MoveBy(2);
                        array.Rebuild();
                        array.FillStep();
                        array.Settings();
                        array.Progress();
                        array.IsActive(0);
                    },
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableArrayTest, FilterSettingsReachEveryFileOnRebuild)
{
    std::vector<LineRecord> records = Ramp(20, 1000, 10, 0);
    for (int i = 0; i < 20; i += 2) {
        records[i].elementCode = 3;
        records[i].intensityCode = static_cast<uint8_t>(i);
    }
    Scan({records});
    tables.ElementTable[0].selected = 0;  // H off: only Fe remains
    tables.ElementTable[3].ratio = 2.0;
    array.SetUseRatios(true);
    array.SetMinimumIntensity(20);  // Fe lines with code 10 and above pass with ratio 2
    array.Rebuild();
    FillCompletely(array);
    EXPECT_EQ(Listed().size(), 5u);
}

TEST_F(TableArrayTest, FillWithBudgetRunsToTheEnd)
{
    Scan({Ramp(5000, 1000, 1)});
    array.GoToWavelength(3000);
    while (array.Fill(std::chrono::microseconds(200))) {
    }
    EXPECT_EQ(array.DisplayList().Count(), 5000u);
}

TEST_P(FillAroundTest, ListsEveryLineBetweenTheBounds)
{
    const FillAroundCase& c = GetParam();
    Scan({Ramp(100, 1000, 10), Ramp(4, 1500, 0, 1), Ramp(10, 1405, 20, 2)});
    array.SetActive(2, false);
    array.SetSpan(c.span);
    array.GoToWavelength(1200);  // one fill step: a handful of lines
    array.FillAround(c.low, c.high);

    size_t expected = 0;
    for (int32_t wavelength = 1000; wavelength <= 1990; wavelength += 10) {
        expected += c.low <= wavelength && wavelength <= c.high ? 1 : 0;
    }
    expected += c.low <= 1500 && 1500 <= c.high ? 4 : 0;
    const auto listed = Listed();
    const auto inside = std::count_if(listed.begin(), listed.end(), [&](int32_t wavelength) {
        return c.low <= wavelength && wavelength <= c.high;
    });
    EXPECT_EQ(static_cast<size_t>(inside), expected);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), 1405), 0);  // the switched-off source
    if (c.nearTarget) {
        // At most one line past each bound for each of the two active sources.
        EXPECT_LE(listed.size(), expected + 4);
    }
    EXPECT_EQ(array.DisplayList().CurrentWavelength(), 1200);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillAroundTest,
    ::testing::Values(FillAroundCase{"AroundTheTarget", 1100, 1300, TableArray::kFullSpan, true},
                      FillAroundCase{"BoundOnEqualLines", 1150, 1500, TableArray::kFullSpan, true},
                      FillAroundCase{"PastTheScanLimits", 1050, 1650, 20, true},
                      FillAroundCase{"AwayFromTheTarget", 1700, 1800, TableArray::kFullSpan, false},
                      FillAroundCase{"PastBothEnds", 0, 5000, 20, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableArrayTest, FillAroundLeavesTheIdleFillToCarryOn)
{
    Scan({Ramp(100, 1000, 10)});
    array.GoToWavelength(1500);
    array.FillAround(1400, 1600);
    EXPECT_TRUE(array.FillStep());
    FillCompletely(array);
    EXPECT_EQ(Listed().size(), 100u);
    EXPECT_DOUBLE_EQ(array.Progress(), 1.0);
}
