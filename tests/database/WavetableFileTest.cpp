#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavetableFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

class WavetableFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tables.ElementTable.emplace_back(26, 0, 0, 3, 7, "Fe", 1.0);
        tables.ElementTable.emplace_back(29, 0, 0, 3, 10, "Cu", 1.0);
    }

    // Writes `records` and `extraBytes` bytes more as a table file and opens it.
    WavetableFile& Open(const std::vector<LineRecord>& records, size_t extraBytes = 0)
    {
        folder.WriteTable("t.swt", records, extraBytes);
        file = std::make_unique<WavetableFile>(folder.File("t.swt"), "t", tables);
        return *file;
    }

    // The same, as the one table of a TableArray.
    TableArray& OpenInArray(const std::vector<LineRecord>& records)
    {
        folder.WriteTable("t.swt", records);
        array = std::make_unique<TableArray>(tables);
        array->AddFile(folder.File("t.swt"), "t");
        return *array;
    }

    TempFolder folder;
    TextTables tables;
    std::unique_ptr<WavetableFile> file;
    std::unique_ptr<TableArray> array;
};

}  // namespace

// 90 bytes: 10 records; 98: 10 and 8 bytes ignored; 0 bytes: none and nothing wrong; 7: none.
TEST_F(WavetableFileTest, CountsWholeRecordsAndNotesAPartialOne)
{
    for (const auto& [records, extraBytes] :
         std::vector<std::pair<int, size_t>>{{10, 0}, {10, 8}, {11, 0}, {0, 0}, {0, 7}, {10, 1}}) {
        SCOPED_TRACE(std::to_string(records) + " records and " + std::to_string(extraBytes));
        const WavetableFile& t = Open(Ramp(records, 1000, 1000), extraBytes);
        EXPECT_EQ(t.RecordCount(), static_cast<uint32_t>(records));
        EXPECT_EQ(t.Problems(), extraBytes % LineRecord::kSize ? WavetableFile::kPartialRecord : 0);
    }
}

TEST_F(WavetableFileTest, FileThatCannotBeOpenedHasNoRecords)
{
    WavetableFile file("/nonexistent/Missing.SWT", "Missing", tables);
    EXPECT_EQ(file.RecordCount(), 0u);
    EXPECT_EQ(file.WavelengthAt(0), -1);
    EXPECT_EQ(file.FindRecord(5000), WavetableFile::kNotFound);
    EXPECT_EQ(file.FileName(), "missing.swt");
    EXPECT_EQ(file.Label(), "Missing");
    file.Position(5000);
    EXPECT_TRUE(file.Done());
    EXPECT_EQ(file.ScannedCount(), 0u);
    EXPECT_FALSE(file.Contains(5000));
}

TEST_F(WavetableFileTest, ReadsRecordsAtTheirOffset)
{
    LineRecord third = Line(3961527, 4, 2, 37);
    third.descriptionCode = 5;
    third.referenceCode = 250;
    WavetableFile& file = Open({Line(1000), Line(2000), third});
    file.ReadRecord(2);
    const WaveData& data = file.Current();
    EXPECT_EQ(data.recordIndex, 2u);
    EXPECT_EQ(data.table, &file);
    EXPECT_EQ(Bytes({data.record}), Bytes({third}));
}

TEST_F(WavetableFileTest, PartialRecordReadsAsZeros)
{
    WavetableFile& file = Open({Line(1000, 7, 3, 44)}, 8);
    file.ReadRecord(1);
    EXPECT_EQ(file.Current().record.wavelength, 0);
    EXPECT_EQ(file.Current().record.elementCode, 0);
    file.ReadRecord(0);  // later reads are unaffected
    EXPECT_EQ(file.Current().record.wavelength, 1000);
}

TEST_F(WavetableFileTest, FindRecordReturnsRecordHoldingTheTarget)
{
    WavetableFile& file = Open({Line(100), Line(200), Line(200), Line(200), Line(300), Line(400)});
    // 400 is held by the last record, not the one before; 250 and 350 by the lower neighbour.
    const uint32_t kNone = WavetableFile::kNotFound;
    EXPECT_EQ((std::vector{file.FindRecord(99), file.FindRecord(401), file.FindRecord(100),
                           file.FindRecord(400), file.FindRecord(300), file.FindRecord(250),
                           file.FindRecord(350)}),
              (std::vector<uint32_t>{kNone, kNone, 0, 5, 4, 3, 4}));
    EXPECT_EQ(file.WavelengthAt(file.FindRecord(200)), 200);
}

TEST_F(WavetableFileTest, FindRecordOnEveryTargetOfALargerFile)
{
    std::vector<LineRecord> records;
    // More records than a cached block: the search reads single records first.
    for (int i = 0; i < 10000; ++i) {
        records.push_back(Line(10 * i + (i % 7 == 0 ? 0 : 1)));
    }
    WavetableFile& file = Open(records);
    for (uint32_t i = 0; i < records.size(); ++i) {
        ASSERT_EQ(file.WavelengthAt(file.FindRecord(records[i].wavelength)), records[i].wavelength);
    }
}

struct FilterCase {
    const char* name;
    bool elementSelected;
    bool valenceShown;
    bool useRatios;
    double ratio;
    double minimum;
    uint8_t intensity;
    uint8_t elementCode;
    bool passes;
};

class FilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, AppliesSelectionValenceAndMinimum)
{
    const FilterCase& c = GetParam();
    TextTables tables;
    tables.ElementTable.emplace_back(26, 0, 0, 3, 7, "Fe", c.ratio);
    tables.ElementTable.emplace_back(29, 0, 0, 3, 10, "Cu", 1.0);
    tables.ElementTable[0].selected = c.elementSelected ? 1 : 0;
    tables.ValenceFlags[1] = c.valenceShown ? 1 : 0;
    WavetableFile file("/nonexistent.swt", "x", tables);
    file.SetUseRatios(c.useRatios);
    file.SetMinimumIntensity(c.minimum);
    file.Position(0);  // clears the "unfiltered" state of a new file
    EXPECT_EQ(file.Passes(Line(5000, c.elementCode, 1, c.intensity)), c.passes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterTest,
    ::testing::Values(FilterCase{"plain", true, true, false, 1.0, 0.0, 0, 0, true},
                      FilterCase{"deselected", false, true, false, 1.0, 0.0, 50, 0, false},
                      FilterCase{"hiddenValence", true, false, false, 1.0, 0.0, 50, 0, false},
                      FilterCase{"belowMinimum", true, true, false, 1.0, 10.0, 9, 0, false},
                      FilterCase{"equalMinimum", true, true, false, 1.0, 10.0, 10, 0, true},
                      FilterCase{"ratioLifts", true, true, true, 2.0, 100.0, 50, 0, true},
                      FilterCase{"ratioUnused", true, true, false, 2.0, 100.0, 50, 0, false},
                      FilterCase{"unknownElement", true, true, false, 1.0, 0.0, 50, 9, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WavetableFileTest, TargetBelowTheFileReadsRecordOneUpAndRecordZeroDown)
{
    TableArray& t = OpenInArray({Line(100), Line(200), Line(300)});
    WavetableFile& file = t.FileAt(0);
    file.Position(50);
    file.Step(t.DisplayList());
    EXPECT_EQ(t.DisplayList().Count(), 2u);
    EXPECT_EQ(file.ScannedCount(), 2u);
    file.Step(t.DisplayList());
    EXPECT_TRUE(file.Done());
    EXPECT_EQ(t.DisplayList().Count(), 3u);
}

TEST_F(WavetableFileTest, SingleRecordFileAboveTargetIsReadAndDone)
{
    TableArray& t = OpenInArray({Line(100)});
    WavetableFile& file = t.FileAt(0);
    file.Position(5000);
    file.Step(t.DisplayList());
    EXPECT_EQ(t.DisplayList().Count(), 1u);
    EXPECT_TRUE(file.Done());
    EXPECT_EQ(file.ScannedCount(), 1u);
}

TEST_F(WavetableFileTest, NoFilterSkipsTestsEvenWithBandHeadsHidden)
{
    tables.ValenceFlags[24] = 0;
    tables.ValenceFlags[25] = 0;
    TableArray& t = OpenInArray({Line(100, 0, 24), Line(200, 0, 25), Line(300, 1, 1)});
    t.Rebuild();
    FillCompletely(t);
    EXPECT_EQ(t.DisplayList().Count(), 3u);
}

TEST_F(WavetableFileTest, NothingCanPassReadsNothing)
{
    tables.ValenceFlags.fill(0);
    tables.ValenceFlags[24] = 1;  // Ox and BH alone do not count
    tables.ValenceFlags[25] = 1;
    TableArray& t = OpenInArray({Line(100, 0, 24), Line(200, 0, 25)});
    EXPECT_FALSE(t.Rebuild());
    EXPECT_TRUE(t.FileAt(0).Done());
    EXPECT_EQ(t.DisplayList().Count(), 0u);
    EXPECT_DOUBLE_EQ(t.Progress(), 1.0);
}

TEST_F(WavetableFileTest, SomeValencesHiddenTestsEveryRecord)
{
    tables.ValenceFlags[2] = 0;
    TableArray& t = OpenInArray({Line(100, 0, 1, 0), Line(200, 0, 2), Line(300, 1, 3)});
    t.Rebuild();
    FillCompletely(t);
    ASSERT_EQ(t.DisplayList().Count(), 2u);  // intensity 0 passes a minimum of 0
    EXPECT_EQ(t.DisplayList().WavelengthAt(t.DisplayList().First()), 100);
    EXPECT_EQ(t.DisplayList().WavelengthAt(t.DisplayList().Last()), 300);
}
