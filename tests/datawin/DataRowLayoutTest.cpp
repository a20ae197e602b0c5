#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/ValidRecordsArray.h"
#include "datawin/DataRowLayout.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Lines go into the display list straight from table files, so that the list reads them back
// when it compares them, and each test decides which lines are listed and in what order.
class DataRowLayoutTest : public ::testing::Test {
protected:
    void Open(const std::vector<std::vector<LineRecord>>& files)
    {
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string name = "s" + std::to_string(i) + ".swt";
            folder.WriteTable(name, files[i]);
            array.AddFile(folder.File(name), name);
        }
    }

    ValidRecordsArray& List() { return array.DisplayList(); }

    void Insert(size_t file, uint32_t index)
    {
        List().Insert(array.FileAt(file).RecordAt(index), array.FileAt(file).TableIndex());
    }

    void InsertAll(size_t file)
    {
        for (uint32_t i = 0; i < array.FileAt(file).RecordCount(); ++i) {
            Insert(file, i);
        }
    }

    // The rows in short, top to bottom: "top wavelength", "xN" for a group of N lines, "*" on
    // the current row; and the rows must cover consecutive slots.
    std::string Describe(const DataRowLayout& layout)
    {
        std::string text;
        const auto& rows = layout.Rows();
        for (size_t i = 0; i < rows.size(); ++i) {
            const DataRowLayout::Row& row = rows[i];
            if (i > 0) {
                text += "; ";
                EXPECT_EQ(row.firstSlot, rows[i - 1].lastSlot + 1) << "row " << i;
                EXPECT_EQ(row.top, rows[i - 1].top + lineHeight) << "row " << i;
            }
            text +=
                std::to_string(row.top) + " " + std::to_string(List().WavelengthAt(row.firstSlot));
            if (row.lastSlot != row.firstSlot) {
                text += "x" + std::to_string(row.lastSlot - row.firstSlot + 1);
            }
            if (row.current) {
                text += " *";
            }
        }
        return text;
    }

    TempFolder folder;
    TextTables tables;
    TableArray array{tables};
    int lineHeight = 10;
};

}  // namespace

// Lines 1000 to 1190 in steps of 10; 1080 and 1130 are listed by two sources and 1100 by three;
// 1120 is also listed for another element, which is another line.
TEST_F(DataRowLayoutTest, LaysOutTheGroupsAroundTheCursor)
{
    Open({Ramp(20, 1000, 10), {Line(1080), Line(1100), Line(1130)}, {Line(1100), Line(1120, 1)}});
    InsertAll(0);
    InsertAll(1);
    InsertAll(2);
    const struct {
        int32_t target;
        int height, lineHeight;
        const char* expected;
    } cases[] = {
        // Rows above and below the marker; at an odd height partial rows at both edges.
        {1100, 50, 10, "0 1080x2; 10 1090; 20 1100x3 *; 30 1110; 40 1120"},
        {1100, 55, 10, "-8 1070; 2 1080x2; 12 1090; 22 1100x3 *; 32 1110; 42 1120; 52 1120"},
        {1110, 40, 10, "-5 1090; 5 1100x3; 15 1110 *; 25 1120; 35 1120"},
        {1130, 40, 10, "-5 1120; 5 1120; 15 1130x2 *; 25 1140; 35 1150"},
        // The start and the end of the list inside the area.
        {1010, 100, 10, "35 1000; 45 1010 *; 55 1020; 65 1030; 75 1040; 85 1050; 95 1060"},
        {1180, 40, 10, "-5 1160; 5 1170; 15 1180 *; 25 1190"},
        // An area smaller than a row, or none, still shows the current row; a line height below
        // one counts as one.
        {1100, 4, 10, "-3 1100x3 *"},
        {1100, 0, 10, "-5 1100x3 *"},
        {1090, 3, 0, "0 1080x2; 1 1090 *; 2 1100x3"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(List().SetTarget(c.target));
        lineHeight = std::max(c.lineHeight, 1);
        EXPECT_EQ(Describe(DataRowLayout::Compute(List(), c.height, c.lineHeight)), c.expected);
    }
}

TEST_F(DataRowLayoutTest, EmptyListHasNoRows)
{
    Open({Ramp(3, 1000, 10)});
    EXPECT_TRUE(DataRowLayout::Compute(List(), 100, 10).IsEmpty());
}

TEST_F(DataRowLayoutTest, CursorInsideAGroupTakesTheWholeGroup)
{
    Open({Ramp(3, 1000, 10), Ramp(3, 1000, 10), Ramp(3, 1000, 10)});
    for (uint32_t i = 0; i < 3; ++i) {
        for (size_t file = 0; file < 3; ++file) {
            Insert(file, i);
        }
    }
    ASSERT_TRUE(List().SetCursor(List().First() + 4));  // mid-group, as a clicked row puts it
    ASSERT_EQ(List().CurrentWavelength(), 1010);
    EXPECT_EQ(Describe(DataRowLayout::Compute(List(), 30, 10)), "0 1000x3; 10 1010x3 *; 20 1020x3");
}

namespace {

constexpr int32_t kBase = 100000;
constexpr int kHeight = 50;

class SameRowsTest;

struct SameRowsCase {
    const char* name;
    void (*change)(SameRowsTest& test);
    bool same;
    bool shiftsSlots;  // the change moves the lines on screen to other slots
};

// Listed: kBase + 500 to kBase + 1490 in steps of 10, the cursor on kBase + 600 near the start,
// so that the rows on screen are kBase + 580 to kBase + 620.
class SameRowsTest : public DataRowLayoutTest, public ::testing::WithParamInterface<SameRowsCase> {
public:
    using DataRowLayoutTest::Insert;
    using DataRowLayoutTest::List;

protected:
    void SetUp() override
    {
        std::vector<LineRecord> front;
        for (int i = 0; i < 13000; ++i) {
            front.push_back(Line(1 + 7 * i));
        }
        Open({Ramp(200, kBase, 10),
              {Line(kBase + 605), Line(kBase + 610), Line(kBase + 610, 2), Line(kBase + 625),
               Line(kBase + 705)},
              front});
        for (uint32_t i = 50; i < 150; ++i) {
            Insert(0, i);
        }
        ASSERT_FALSE(List().SetTarget(kBase + 600));
    }
};

// The records of the second table.
enum Extra : uint32_t {
    kOnScreen,
    kDuplicateOnScreen,
    kOtherElementOnScreen,
    kJustBelow,
    kFarBelow
};

const SameRowsCase kSameRowsCases[] = {
    {"NothingChanged", [](SameRowsTest&) {}, true, false},
    {"LinesAppendedAtTheEnd",
     [](SameRowsTest& t) {
         for (uint32_t i = 150; i < 200; ++i) {
             t.Insert(0, i);
         }
     },
     true, false},
    {"LinesPrependedUntilTheFrontGrows",
     [](SameRowsTest& t) {
         for (uint32_t i = 50; i-- > 0;) {
             t.Insert(0, i);
         }
         for (uint32_t i = 13000; i-- > 0;) {
             t.Insert(2, i);
         }
     },
     true, true},
    {"LineInsertedBelowTheArea", [](SameRowsTest& t) { t.Insert(1, kFarBelow); }, true, false},
    {"LineInsertedJustBelowTheLastRow", [](SameRowsTest& t) { t.Insert(1, kJustBelow); }, true,
     false},
    {"LineAppearsOnScreen", [](SameRowsTest& t) { t.Insert(1, kOnScreen); }, false, false},
    {"DuplicateJoinsARowOnScreen", [](SameRowsTest& t) { t.Insert(1, kDuplicateOnScreen); }, false,
     false},
    {"OtherElementAtAWavelengthOnScreen",
     [](SameRowsTest& t) { t.Insert(1, kOtherElementOnScreen); }, false, false},
    {"CursorMoves", [](SameRowsTest& t) { t.List().Move(1); }, false, false},
};

}  // namespace

TEST_P(SameRowsTest, ComparesTheLinesOnScreen)
{
    const SameRowsCase& c = GetParam();
    const DataRowLayout before = DataRowLayout::Compute(List(), kHeight, lineHeight);
    ASSERT_EQ(Describe(before), "0 100580; 10 100590; 20 100600 *; 30 100610; 40 100620");
    c.change(*this);
    const DataRowLayout after = DataRowLayout::Compute(List(), kHeight, lineHeight);
    EXPECT_EQ(after.SameRowsAs(before), c.same);
    EXPECT_EQ(before.SameRowsAs(after), c.same);
    if (c.shiftsSlots) {
        ASSERT_FALSE(after.IsEmpty());
        EXPECT_NE(after.Rows()[0].firstSlot, before.Rows()[0].firstSlot);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SameRowsTest, ::testing::ValuesIn(kSameRowsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataRowLayoutTest, SameRowsNeedsTheSameTops)
{
    Open({Ramp(20, 1000, 10)});
    InsertAll(0);
    ASSERT_FALSE(List().SetTarget(1100));
    const DataRowLayout layout = DataRowLayout::Compute(List(), 50, 10);
    EXPECT_FALSE(DataRowLayout::Compute(List(), 51, 10).SameRowsAs(layout)) << "marker moved";
    EXPECT_FALSE(DataRowLayout::Compute(List(), 60, 10).SameRowsAs(layout)) << "one more row";
    EXPECT_TRUE(DataRowLayout::Compute(List(), 50, 10).SameRowsAs(layout));
    EXPECT_TRUE(DataRowLayout().SameRowsAs(DataRowLayout()));
    EXPECT_FALSE(DataRowLayout().SameRowsAs(layout));
}
