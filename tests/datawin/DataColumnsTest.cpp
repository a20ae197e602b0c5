#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/DataColumns.h"
#include "framework/SettingsStore.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kKey = "Software\\Spekla\\Data Window";
constexpr int kWavelengthWidth = 80;
constexpr int kElementWidth = 60;

using Stored = std::vector<std::pair<std::string, SettingsStore::Value>>;

class DataColumnsTest : public ::testing::Test {
protected:
    // One empty table per label; the sources listed in `inactive` are switched off.
    void AddSources(const std::vector<std::string>& labels,
                    const std::vector<size_t>& inactive = {})
    {
        for (const std::string& label : labels) {
            const std::string name = "t" + std::to_string(tables.FileCount()) + ".swt";
            folder.WriteTable(name, {});
            tables.AddFile(folder.File(name), label);
        }
        for (size_t index : inactive) {
            tables.SetActive(index, false);
        }
    }

    void Put(const Stored& values)
    {
        for (const auto& [name, value] : values) {
            store.SetValue(kKey, name, value);
        }
    }

    std::optional<SettingsStore::Value> Value(const std::string& name) const
    {
        return store.GetValue(kKey, name);
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store{SettingsStore::Root::CurrentUser, folder.File("user.reg")};
    DataColumns columns{kWavelengthWidth, kElementWidth};
};

// The columns in short: W (wavelength), E (element), S<table index> (source), R (Ref), each
// with its width.
std::string Describe(const std::vector<DataColumn>& columns)
{
    std::string text;
    for (const DataColumn& column : columns) {
        switch (column.role) {
            case DataColumn::Role::Wavelength:
                text += "W";
                break;
            case DataColumn::Role::Element:
                text += "E";
                break;
            case DataColumn::Role::Source:
                text += "S" + std::to_string(column.source);
                break;
            case DataColumn::Role::Reference:
                text += "R";
                break;
        }
        text += ":" + std::to_string(column.width) + " ";
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

struct RestoreCase {
    const char* name;
    std::vector<std::string> labels;
    std::vector<size_t> inactive;
    Stored stored;
    const char* expected;
};

class DataColumnsRestoreTest : public DataColumnsTest,
                               public ::testing::WithParamInterface<RestoreCase> {};

const std::string kLongLabel(200, 'L');

const RestoreCase kRestoreCases[] = {
    {"NothingStoredGivesActiveSourcesInTableOrder",
     {"a", "b", "c"},
     {1},
     {},
     "W:80 E:60 S0:50 S2:50 R:50"},
    {"StoredOrderAndWidthsComeBack",
     {"a", "b"},
     {},
     {{"Columns", 5u},
      {"Column 0 width", 90u},
      {"Column 1 width", 55u},
      {"Column 2 text", "b"},
      {"Column 2 width", 70u},
      {"Column 3 text", "a"},
      {"Column 3 width", 30u},
      {"Column 4 text", "Ref"},
      {"Column 4 width", 40u}},
     "W:90 E:55 S1:70 S0:30 R:40"},
    {"WidthsWithoutLayoutStillApplyToFixedColumns",
     {"a"},
     {},
     {{"Column 0 width", 90u}, {"Column 1 width", 55u}, {"Column 2 width", 7u}},
     "W:90 E:55 S0:50 R:50"},
    {"EachOfTwoSourcesOfOneLabelGetsItsColumn",
     {"x", "x"},
     {},
     {{"Columns", 5u},
      {"Column 2 text", "x"},
      {"Column 2 width", 20u},
      {"Column 3 text", "x"},
      {"Column 3 width", 30u},
      {"Column 4 width", 45u}},
     "W:80 E:60 S0:20 S1:30 R:45"},
    {"LabelsLikeFixedColumnsOrEmptyAreSources",
     {"Ref", "Element", ""},
     {},
     {{"Columns", 6u},
      {"Column 1 text", "Element"},
      {"Column 2 text", "Element"},
      {"Column 2 width", 11u},
      {"Column 3 text", ""},
      {"Column 3 width", 12u},
      {"Column 4 text", "Ref"},
      {"Column 4 width", 22u},
      {"Column 5 text", "Ref"},
      {"Column 5 width", 33u}},
     "W:80 E:60 S1:11 S2:12 S0:22 R:33"},
    {"UnknownOrMissingTextDroppedAndNewSourcesAddedBeforeRef",
     {"a", "b", "c"},
     {},
     {{"Columns", 6u},
      {"Column 2 text", "c"},
      {"Column 2 width", 10u},
      {"Column 3 text", "gone"},
      {"Column 3 width", 99u},
      {"Column 4 width", 7u},
      {"Column 5 width", 45u}},
     "W:80 E:60 S2:10 S0:50 S1:50 R:45"},
    {"InactiveSourcesGetNoColumnNorTakeOneOfTheirLabel",
     {"x", "x", "b"},
     {0, 2},
     {{"Columns", 5u},
      {"Column 2 text", "b"},
      {"Column 2 width", 10u},
      {"Column 3 text", "x"},
      {"Column 3 width", 25u}},
     "W:80 E:60 S1:25 R:50"},
    {"WidthsOutsideTheRangeGiveDefaults",
     {"a", "b"},
     {},
     {{"Columns", 5u},
      {"Column 0 width", 0u},
      {"Column 1 width", 10001u},
      {"Column 2 text", "a"},
      {"Column 2 width", 0u},
      {"Column 3 text", "b"},
      {"Column 3 width", 10000u},
      {"Column 4 width", "wide"}},
     "W:80 E:60 S0:50 S1:10000 R:50"},
    {"TooFewColumnsCountAsNoLayout",
     {"a", "b"},
     {},
     {{"Columns", 2u}, {"Column 1 text", "b"}, {"Column 1 width", 20u}},
     "W:80 E:20 S0:50 S1:50 R:50"},
    {"HugeCountCountsAsNoLayout",
     {"a", "b"},
     {},
     {{"Columns", 0xffffffffu}, {"Column 2 text", "b"}, {"Column 2 width", 20u}},
     "W:80 E:60 S0:50 S1:50 R:50"},
    {"CountOfWrongTypeCountsAsNoLayout",
     {"a", "b"},
     {},
     {{"Columns", "5"}, {"Column 2 text", "b"}, {"Column 2 width", 20u}},
     "W:80 E:60 S0:50 S1:50 R:50"},
    // The Ref position and numbers written another way are not source columns.
    {"LargestCountTakesOnlyStoredSourceTitles",
     {"a", "b"},
     {},
     {{"Columns", 65539u},
      {"Column 2 text", "b"},
      {"Column 2 width", 20u},
      {"Column 02 text", "a"},
      {"Column 65538 text", "a"},
      {"Column 65538 width", 44u}},
     "W:80 E:60 S1:20 S0:50 R:44"},
    {"LongLabelFoundByTheTextKept",
     {"a", kLongLabel},
     {},
     {{"Columns", 5u},
      {"Column 2 text", kLongLabel},
      {"Column 2 width", 15u},
      {"Column 3 text", "a"},
      {"Column 3 width", 25u}},
     "W:80 E:60 S1:15 S0:25 R:50"},
};

}  // namespace

TEST_P(DataColumnsRestoreTest, RestoresAndSavesTheSameColumns)
{
    const RestoreCase& c = GetParam();
    AddSources(c.labels, c.inactive);
    Put(c.stored);
    columns.Restore(store, tables);
    EXPECT_EQ(Describe(columns.Columns()), c.expected);

    columns.Save(store, tables);
    SettingsStore reloaded = ReloadedStore(store);
    DataColumns again(1, 1);
    again.Restore(reloaded, tables);
    EXPECT_EQ(Describe(again.Columns()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataColumnsRestoreTest, ::testing::ValuesIn(kRestoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataColumnsTest, SaveWritesTitlesWidthsAndUnitMode)
{
    AddSources({"NIST", "Ref", "off"}, {2});
    tables.SetDecimals(3);
    tables.SetUnitMode(kUnitVacuum);
    columns.Restore(store, tables);
    columns.SetWidth(2, 77);
    columns.Save(store, tables);

    const Stored expected = {
        {"Wave column", uint32_t{kUnitVacuum}},
        {"Columns", 5u},
        {"Column 0 text", "Vacuum \u00C5"},
        {"Column 0 width", 80u},
        {"Column 1 text", "Element"},
        {"Column 1 width", 60u},
        {"Column 2 text", "NIST"},
        {"Column 2 width", 77u},
        {"Column 3 text", "Ref"},
        {"Column 3 width", 50u},
        {"Column 4 text", "Ref"},
        {"Column 4 width", 50u},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(Value(name), value) << name;
    }
}

TEST_F(DataColumnsTest, FollowSourcesKeepsOrderAndWidths)
{
    AddSources({"a", "b", "c"});
    Put({{"Columns", 6u},
         {"Column 2 text", "c"},
         {"Column 2 width", 12u},
         {"Column 3 text", "a"},
         {"Column 3 width", 13u},
         {"Column 4 text", "b"},
         {"Column 4 width", 14u},
         {"Column 5 width", 15u}});
    columns.Restore(store, tables);
    ASSERT_EQ(Describe(columns.Columns()), "W:80 E:60 S2:12 S0:13 S1:14 R:15");

    tables.SetActive(0, false);
    columns.FollowSources(tables);
    EXPECT_EQ(Describe(columns.Columns()), "W:80 E:60 S2:12 S1:14 R:15");

    tables.SetActive(0, true);
    AddSources({"d"});
    columns.FollowSources(tables);
    EXPECT_EQ(Describe(columns.Columns()), "W:80 E:60 S2:12 S1:14 S0:50 S3:50 R:15");
}

TEST_F(DataColumnsTest, FollowSourcesDropsColumnsOfSourcesThatAreGone)
{
    AddSources({"a", "b"});
    columns.Restore(store, tables);
    TableArray fewer(text);
    fewer.AddFile(folder.File("t0.swt"), "a");
    columns.FollowSources(fewer);
    EXPECT_EQ(Describe(columns.Columns()), "W:80 E:60 S0:50 R:50");
}

TEST_F(DataColumnsTest, WidthsAreKeptInTheRangeThatIsRestored)
{
    columns.SetWidth(0, 0);
    columns.SetWidth(1, 20000);
    columns.SetWidth(99, 10);
    EXPECT_EQ(Describe(columns.Columns()), "W:1 E:10000 R:50");
}

struct TitleCase {
    UnitMode unitMode;
    int decimals;
    const char* expected;
};

class WavelengthTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(WavelengthTitleTest, NamesUnitsAndDigits)
{
    EXPECT_EQ(DataColumns::WavelengthTitle(GetParam().unitMode, GetParam().decimals),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WavelengthTitleTest,
                         ::testing::Values(TitleCase{kUnitAir, 3, "Wavelength \u00C5"},
                                           TitleCase{kUnitAir, 4, "Wavelength nm"},
                                           TitleCase{kUnitAir, 2, "Wavelength"},
                                           TitleCase{kUnitVacuum, 4, "Vacuum nm"},
                                           TitleCase{kUnitVacuum, 0, "Vacuum"},
                                           TitleCase{kUnitWaveNumber, 3, "Wave number"}));
