#include "database/TableArray.h"
#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <set>
#include <tuple>

namespace {

// Lines are inserted straight from table files, so that the list can read them back.
class ValidRecordsArrayTest : public ::testing::Test {
protected:
    void Open(const std::vector<std::vector<LineRecord>>& files)
    {
        tables.ElementTable.emplace_back(26, 0, 0, 3, 7, "Fe", 1.0);
        array = std::make_unique<TableArray>(tables);
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string name = "s" + std::to_string(i) + ".swt";
            folder.WriteTable(name, files[i]);
            array->AddFile(folder.File(name), name);
        }
    }

    ValidRecordsArray& List() { return array->DisplayList(); }

    void InsertRecord(size_t file, uint32_t index)
    {
        List().Insert(array->FileAt(file).RecordAt(index), array->FileAt(file).TableIndex());
    }

    // Inserts every record of `file` in file order.
    void InsertAll(size_t file)
    {
        for (uint32_t i = 0; i < array->FileAt(file).RecordCount(); ++i) {
            InsertRecord(file, i);
        }
    }

    TempFolder folder;
    TextTables tables;
    std::unique_ptr<TableArray> array;
};

struct RevisionCase {
    const char* name;
    int32_t target;  // where the cursor is before the action
    void (*action)(ValidRecordsArray& list);
    bool changes;
};

class ValidRecordsArrayRevisionTest : public ValidRecordsArrayTest,
                                      public ::testing::WithParamInterface<RevisionCase> {};

}  // namespace

TEST_F(ValidRecordsArrayTest, EmptyListHasNoCursor)
{
    Open({});
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(List().Cursor(), ValidRecordsArray::kNone);
    EXPECT_EQ(List().Search(5), ValidRecordsArray::kNone);
    EXPECT_EQ(List().Move(1), 0);
    EXPECT_FALSE(List().CanMove(true) || List().CanMove(false));
    EXPECT_TRUE(List().SetTarget(1234));
    EXPECT_EQ(List().CurrentWavelength(), 1234);
}

TEST_F(ValidRecordsArrayTest, RandomInsertionsStaySortedAndCursorTracksNearest)
{
    Open({Ramp(500, 1000, 10)});
    List().SetTarget(3333);
    std::vector<uint32_t> order(500);
    std::iota(order.begin(), order.end(), 0u);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (uint32_t index : order) {
        InsertRecord(0, index);
        const auto listed = Wavelengths(List());
        ASSERT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    }
    EXPECT_EQ(List().Count(), 500u);
    EXPECT_EQ(List().WavelengthAt(List().Cursor()), 3330);
    const WaveData item = List().ItemAt(List().Cursor());
    EXPECT_EQ(item.recordIndex, 233u);
    EXPECT_EQ(item.table, &array->FileAt(0));
}

TEST_F(ValidRecordsArrayTest, SearchGivesInsertionSlot)
{
    Open({{Line(100), Line(200), Line(200), Line(300)}});
    InsertAll(0);
    const uint32_t first = List().First();
    EXPECT_EQ(List().Search(100), first);
    EXPECT_EQ(List().WavelengthAt(List().Search(200)), 200);
    EXPECT_EQ((std::vector{List().Search(250), List().Search(300), List().Search(150)}),
              (std::vector{first + 3, first + 3, first + 1}));
}

TEST_F(ValidRecordsArrayTest, SetTargetInsideMovesCursorToNearestLine)
{
    Open({Ramp(10, 1000, 100)});
    InsertAll(0);
    // 1400 is nearer to 1420 than the insertion slot's 1500.
    for (const auto& [target, nearest] : {std::pair{1420, 1400}, {1460, 1500}, {1900, 1900}}) {
        EXPECT_FALSE(List().SetTarget(target));
        EXPECT_EQ(List().WavelengthAt(List().Cursor()), nearest) << target;
    }
    EXPECT_TRUE(List().SetTarget(1901));  // outside: the list is emptied
    EXPECT_EQ(List().Count(), 0u);
}

TEST_F(ValidRecordsArrayTest, DuplicatesFromSeveralSourcesCountAsOneStep)
{
    const std::vector<LineRecord> same = {Line(100), Line(200), Line(300)};
    Open({same, same, same});
    for (size_t file = 0; file < 3; ++file) {
        InsertAll(file);
    }
    ASSERT_EQ(List().Count(), 9u);
    List().SetTarget(100);
    EXPECT_EQ(List().Move(1), 1);
    // Moving up lands on the lowest slot of the next group.
    EXPECT_EQ(List().Cursor(), List().First() + 3);
    EXPECT_EQ(List().WavelengthAt(List().Cursor()), 200);
    EXPECT_EQ(List().Move(5), 1);  // one group above, then the end
    EXPECT_EQ(List().WavelengthAt(List().Cursor()), 300);
    EXPECT_EQ(List().Move(5), 0);
    EXPECT_EQ(List().WavelengthAt(List().Cursor()), 300);
    EXPECT_EQ(List().Target(), 300);
    // On the last group, not on its last copy: nothing lies beyond.
    EXPECT_LT(List().Cursor(), List().Last());
    EXPECT_FALSE(List().CanMove(true));
    EXPECT_TRUE(List().CanMove(false));
    EXPECT_EQ(List().Move(-2), -2);
    // Moving down lands on the highest slot of the group below.
    EXPECT_EQ(List().Cursor(), List().First() + 2);
    EXPECT_GT(List().Cursor(), List().First());
    EXPECT_FALSE(List().CanMove(false));
    EXPECT_TRUE(List().CanMove(true));
}

// Lines of one wavelength go by their place in their file's run of that wavelength, then by
// source: sources listing the same lines have each line's copies side by side (one row, one
// step), even where a filter left out some of a run.
TEST_F(ValidRecordsArrayTest, CopiesOfALineStandTogether)
{
    const std::vector<LineRecord> lines = {Line(100, 2), Line(100, 1), Line(100, 3), Line(200)};
    Open({lines, lines});
    List().SetTarget(100);
    for (const auto& [file, record] :
         {std::pair{1, 1u}, {0, 2u}, {1, 0u}, {0, 3u}, {1, 2u}, {0, 1u}, {1, 3u}}) {
        InsertRecord(file, record);
    }
    const std::vector<std::pair<uint16_t, uint32_t>> expected = {{1, 0}, {0, 1}, {1, 1}, {0, 2},
                                                                 {1, 2}, {0, 3}, {1, 3}};
    for (uint32_t slot = 0; slot < expected.size(); ++slot) {
        EXPECT_EQ(std::pair(List().TableIndexAt(slot), List().RecordIndexAt(slot)), expected[slot])
            << slot;
    }
    EXPECT_EQ(List().Cursor(), 2u);  // the first line listed
    EXPECT_EQ(List().Move(-5), -1);
    EXPECT_EQ(List().Cursor(), 0u);
    EXPECT_EQ(List().Move(2), 2);
    EXPECT_EQ(List().Cursor(), 3u);
}

TEST_P(ValidRecordsArrayRevisionTest, ChangesWithLinesAndCursorOnly)
{
    const RevisionCase& c = GetParam();
    Open({Ramp(10, 1000, 10)});
    InsertAll(0);
    List().SetTarget(c.target);
    const uint64_t before = List().Revision();
    c.action(List());
    EXPECT_EQ(List().Revision() != before, c.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidRecordsArrayRevisionTest,
    ::testing::Values(
        RevisionCase{"Insert", 1050, [](auto& list) { list.Insert(list.ItemAt(list.First()), 0); },
                     true},
        RevisionCase{"TargetInside", 1050, [](auto& list) { list.SetTarget(1070); }, true},
        RevisionCase{"TargetOutside", 1050, [](auto& list) { list.SetTarget(9000); }, true},
        RevisionCase{"Reset", 1050, [](auto& list) { list.Reset(); }, true},
        RevisionCase{"MoveDown", 1050, [](auto& list) { list.Move(-1); }, true},
        RevisionCase{"MoveUpAtTheEnd", 1090, [](auto& list) { list.Move(1); }, false},
        RevisionCase{"MoveDownAtTheStart", 1000, [](auto& list) { list.Move(INT_MIN); }, false},
        RevisionCase{"MoveByNothing", 1050, [](auto& list) { list.Move(0); }, false},
        RevisionCase{"Reads", 1050,
                     [](auto& list) {
                         list.ItemAt(list.Search(1020));
                         list.IsDuplicate(list.First(), list.Last());
                     },
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ValidRecordsArrayTest, OtherElementOrValenceAtTheSameWavelengthIsNoDuplicate)
{
    Open({{Line(200, 0, 1)}, {Line(200, 0, 2)}, {Line(200, 1, 1)}, {Line(200, 0, 1, 55)}});
    for (size_t file = 0; file < 4; ++file) {
        InsertAll(file);
    }
    const auto file = [&](uint32_t slot) { return List().ItemAt(slot).table->TableIndex(); };
    for (uint32_t a = List().First(); a <= List().Last(); ++a) {
        for (uint32_t b = a + 1; b <= List().Last(); ++b) {
            // Only the lines of files 0 and 3 are the same line: intensity does not matter.
            EXPECT_EQ(List().IsDuplicate(a, b), file(a) + file(b) == 3 && file(a) % 3 == 0);
        }
    }
}

TEST_F(ValidRecordsArrayTest, EachSlotNamesTheRecordItLists)
{
    Open({Ramp(30, 1000, 10), Ramp(20, 1005, 10)});
    // From both ends of one file and backwards through the other, so that lines land in the
    // middle of the list and slots move.
    for (uint32_t i = 0; i < 20; ++i) {
        InsertRecord(1, 19 - i);
        if (i < 15) {
            InsertRecord(0, 29 - i);
            InsertRecord(0, i);
        }
    }
    std::set<std::pair<uint16_t, uint32_t>> seen;
    for (uint32_t slot = List().First(); slot <= List().Last(); ++slot) {
        const uint16_t table = List().TableIndexAt(slot);
        const uint32_t record = List().RecordIndexAt(slot);
        ASSERT_LT(table, array->FileCount());
        EXPECT_EQ(array->FileAt(table).RecordAt(record).record.wavelength,
                  List().WavelengthAt(slot));
        seen.emplace(table, record);
    }
    EXPECT_EQ(seen.size(), size_t{List().Count()});
}

TEST_F(ValidRecordsArrayTest, LinesArrivingBelowKeepCursorOnItsLine)
{
    Open({Ramp(60000, 1000, 1)});
    List().SetTarget(60999);
    for (uint32_t i = 60000; i-- > 0;) {
        InsertRecord(0, i);
        if (i % 7919 == 0) {
            EXPECT_EQ(List().WavelengthAt(List().Cursor()), 60999);
        }
    }
    EXPECT_EQ(List().Count(), 60000u);
    EXPECT_EQ(List().WavelengthAt(List().First()), 1000);
    const auto all = Wavelengths(List());
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
}

// Lines of one wavelength from one table keep their file order, whatever order they arrive in.
TEST_F(ValidRecordsArrayTest, LinesTiedWithAnEndGoBesideItInFileOrder)
{
    Open({std::vector<LineRecord>(7, Line(5000))});
    List().SetTarget(5000);
    for (const uint32_t index : {3u, 4u, 2u, 5u, 1u, 6u, 0u}) {  // an outward scan from record 3
        InsertRecord(0, index);
    }
    for (uint32_t k = 0; k < 7; ++k) {
        EXPECT_EQ(List().RecordIndexAt(List().First() + k), k);
    }
    EXPECT_EQ(List().RecordIndexAt(List().Cursor()), 3u);
}

TEST_F(ValidRecordsArrayTest, AnOutwardScanCostsNoMemoryPerLine)
{
    constexpr uint32_t kLines = 1000000;
    Open({Ramp(kLines, 1000, 3)});
    List().SetTarget(1000 + 3 * (kLines / 2));
    for (uint32_t i = 0; i < kLines / 2; ++i) {
        InsertRecord(0, kLines / 2 + i);
        InsertRecord(0, kLines / 2 - 1 - i);
    }
    ASSERT_EQ(List().Count(), kLines);
    EXPECT_EQ(List().WavelengthAt(List().Cursor()), List().Target());
    EXPECT_EQ(List().WavelengthAt(kLines - 1), 1000 + 3 * int32_t{kLines - 1});
    EXPECT_LE(List().MemoryBytes(), size_t{100000});
}

// Three tables sharing and interleaving wavelengths, each with gaps a filter would leave, read
// slot by slot in an order that makes the list walk, search and jump: every slot must name the
// line a merge of the tables puts there.
TEST_F(ValidRecordsArrayTest, SlotsFarApartNameTheMergedLines)
{
    // The second table lists each wavelength twice.
    std::vector<LineRecord> pairs;
    for (int i = 0; i < 40000; ++i) {
        pairs.push_back(Line(1001 + 3 * (i / 2), static_cast<uint8_t>(i % 2)));
    }
    Open({Ramp(30000, 1000, 2), pairs, Ramp(25000, 1000, 2)});
    std::mt19937 random(5);
    // In list order: wavelength, place in the file's run of it, table, record.
    std::vector<std::tuple<int32_t, uint32_t, uint16_t, uint32_t>> merged;
    for (size_t file = 0; file < 3; ++file) {
        WavetableFile& table = array->FileAt(file);
        uint32_t run = 0;
        for (uint32_t record = 0; record < table.RecordCount(); ++record) {
            const int32_t wavelength = table.WavelengthAt(record);
            run = record > 0 && table.WavelengthAt(record - 1) == wavelength ? run + 1 : 0;
            // Runs of gaps, some longer than a block of the record bits.
            if (((record / 5000) % 3 == 1 && file == 1) || random() % 4 == 0) {
                continue;
            }
            InsertRecord(file, record);
            merged.emplace_back(wavelength, run, static_cast<uint16_t>(file), record);
        }
    }
    std::sort(merged.begin(), merged.end());
    ASSERT_EQ(List().Count(), merged.size());
    std::vector<uint32_t> slots = {0, List().Last(), List().Last() / 2, 1, List().Last() - 1};
    for (int i = 0; i < 200; ++i) {
        slots.push_back(static_cast<uint32_t>(random() % merged.size()));
    }
    for (const uint32_t slot : slots) {
        const auto& [wavelength, run, table, record] = merged[slot];
        ASSERT_EQ(List().WavelengthAt(slot), wavelength) << slot;
        ASSERT_EQ(List().TableIndexAt(slot), table) << slot;
        ASSERT_EQ(List().RecordIndexAt(slot), record) << slot;
    }
    const auto firstAtOrAbove = [&](int32_t w) {
        return static_cast<uint32_t>(std::lower_bound(merged.begin(), merged.end(),
                                                      std::make_tuple(w, 0u, uint16_t{0}, 0u)) -
                                     merged.begin());
    };
    for (const int32_t w : {1000, 1001, 20000, 30001, 58997}) {
        EXPECT_EQ(List().Search(w), std::min(firstAtOrAbove(w), List().Last())) << w;
    }
    EXPECT_EQ(List().Search(1), 0u);
    EXPECT_EQ(List().Search(99999), List().Last());
}

// A move to an end of a long list goes there at once, onto the line a walk would end on.
TEST_F(ValidRecordsArrayTest, MovesToTheEndsOfALongListJump)
{
    const std::vector<LineRecord> lines = Ramp(50000, 1000, 1);
    Open({lines, lines});
    InsertAll(0);
    InsertAll(1);
    List().SetTarget(20000);
    EXPECT_GT(List().Move(INT_MAX), 0);
    EXPECT_EQ(List().Cursor(), List().Last() - 1);  // the first copy of the last line
    EXPECT_EQ(List().Target(), 50999);
    EXPECT_EQ(List().Move(1), 0);
    EXPECT_LT(List().Move(INT_MIN), 0);
    EXPECT_EQ(List().Cursor(), 1u);  // the last copy of the first line
    EXPECT_EQ(List().Move(-1), 0);
    EXPECT_EQ(List().Move(3), 3);
    EXPECT_EQ(List().CurrentWavelength(), 1003);
}

// A clicked row or a dragged scroll bar puts the cursor on a slot; a later move goes from there.
TEST_F(ValidRecordsArrayTest, CursorGoesToAChosenSlotWithinTheList)
{
    Open({Ramp(10, 1000, 10)});
    InsertAll(0);
    const uint32_t first = List().First();
    const uint64_t before = List().Revision();
    EXPECT_TRUE(List().SetCursor(first + 4));
    EXPECT_EQ(List().CurrentWavelength(), 1040);
    EXPECT_EQ(List().Target(), 1040);
    EXPECT_GT(List().Revision(), before);
    EXPECT_FALSE(List().SetCursor(first + 4));   // already there
    EXPECT_TRUE(List().SetCursor(first + 500));  // past the end: the last line
    EXPECT_EQ(List().CurrentWavelength(), 1090);
    EXPECT_TRUE(List().SetCursor(0));  // before the start: the first line
    EXPECT_EQ(List().CurrentWavelength(), 1000);
    EXPECT_EQ(List().Move(2), 2);
    EXPECT_EQ(List().CurrentWavelength(), 1020);
    List().Reset();
    EXPECT_FALSE(List().SetCursor(3));
}
