#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/DataColumns.h"
#include "framework/SettingsStore.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace {

constexpr const char* kKey = "Software\\Spekla\\Data Window";
constexpr int kWavelengthWidth = 80;
constexpr int kElementWidth = 60;

using Stored = std::vector<std::pair<std::string, SettingsStore::Value>>;

// Reads "name=value; ...": a name that starts with a digit follows "Column "; a value of digits
// is a DWORD, any other (or one in quotes) a string.
Stored Values(const std::string& text)
{
    Stored values;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find("; ", start), text.size());
        const std::string item = text.substr(start, end - start);
        const size_t equals = item.find('=');
        const std::string name = (std::isdigit(item[0]) ? "Column " : "") + item.substr(0, equals);
        const std::string value = item.substr(equals + 1);
        if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
            values.emplace_back(name, static_cast<uint32_t>(std::stoul(value)));
        } else if (value.size() > 1 && value[0] == '"') {
            values.emplace_back(name, value.substr(1, value.size() - 2));
        } else {
            values.emplace_back(name, value);
        }
        start = end + 2;
    }
    return values;
}

class DataColumnsTest : public ::testing::Test {
protected:
    // One empty table per label of `sources`: labels separated by '|', an inactive one after a
    // '-'.
    void AddSources(const std::string& sources)
    {
        for (size_t start = 0; start <= sources.size();) {
            const size_t end = std::min(sources.find('|', start), sources.size());
            const bool active = sources[start] != '-';
            const std::string name = "t" + std::to_string(tables.FileCount()) + ".swt";
            folder.WriteTable(name, {});
            tables.AddFile(folder.File(name),
                           sources.substr(start + !active, end - start - !active));
            tables.SetActive(tables.FileCount() - 1, active);
            start = end + 1;
        }
    }

    void Put(const std::string& text)
    {
        for (const auto& [name, value] : Values(text)) {
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
    using Role = DataColumn::Role;
    for (const DataColumn& column : columns) {
        text += std::string(text.empty() ? "" : " ") +
                (column.role == Role::Wavelength  ? "W"
                 : column.role == Role::Element   ? "E"
                 : column.role == Role::Reference ? "R"
                                                  : "S" + std::to_string(column.source)) +
                ":" + std::to_string(column.width);
    }
    return text;
}

struct RestoreCase {
    const char* name;
    std::string sources;  // as AddSources reads them
    std::string stored;   // as Values reads it
    const char* expected;
};

class DataColumnsRestoreTest : public DataColumnsTest,
                               public ::testing::WithParamInterface<RestoreCase> {};

const std::string kLongLabel(200, 'L');

const RestoreCase kRestoreCases[] = {
    {"NothingStoredGivesActiveSourcesInTableOrder", "a|-b|c", "", "W:80 E:60 S0:50 S2:50 R:50"},
    {"StoredOrderAndWidthsComeBack", "a|b",
     "Columns=5; 0 width=90; 1 width=55; 2 text=b; 2 width=70; 3 text=a; 3 width=30; "
     "4 text=Ref; 4 width=40",
     "W:90 E:55 S1:70 S0:30 R:40"},
    {"WidthsWithoutLayoutStillApplyToFixedColumns", "a", "0 width=90; 1 width=55; 2 width=7",
     "W:90 E:55 S0:50 R:50"},
    {"EachOfTwoSourcesOfOneLabelGetsItsColumn", "x|x",
     "Columns=5; 2 text=x; 2 width=20; 3 text=x; 3 width=30; 4 width=45",
     "W:80 E:60 S0:20 S1:30 R:45"},
    {"LabelsLikeFixedColumnsOrEmptyAreSources", "Ref|Element|",
     "Columns=6; 1 text=Element; 2 text=Element; 2 width=11; 3 text=; 3 width=12; 4 text=Ref; "
     "4 width=22; 5 text=Ref; 5 width=33",
     "W:80 E:60 S1:11 S2:12 S0:22 R:33"},
    {"UnknownOrMissingTextDroppedAndNewSourcesAddedBeforeRef", "a|b|c",
     "Columns=6; 2 text=c; 2 width=10; 3 text=gone; 3 width=99; 4 width=7; 5 width=45",
     "W:80 E:60 S2:10 S0:50 S1:50 R:45"},
    {"InactiveSourcesGetNoColumnNorTakeOneOfTheirLabel", "-x|x|-b",
     "Columns=5; 2 text=b; 2 width=10; 3 text=x; 3 width=25", "W:80 E:60 S1:25 R:50"},
    {"WidthsOutsideTheRangeGiveDefaults", "a|b",
     "Columns=5; 0 width=0; 1 width=10001; 2 text=a; 2 width=0; 3 text=b; 3 width=10000; "
     "4 width=wide",
     "W:80 E:60 S0:50 S1:10000 R:50"},
    {"TooFewColumnsCountAsNoLayout", "a|b", "Columns=2; 1 text=b; 1 width=20",
     "W:80 E:20 S0:50 S1:50 R:50"},
    {"HugeCountCountsAsNoLayout", "a|b", "Columns=4294967295; 2 text=b; 2 width=20",
     "W:80 E:60 S0:50 S1:50 R:50"},
    {"CountOfWrongTypeCountsAsNoLayout", "a|b", "Columns=\"5\"; 2 text=b; 2 width=20",
     "W:80 E:60 S0:50 S1:50 R:50"},
    // The Ref position and numbers written another way are not source columns.
    {"LargestCountTakesOnlyStoredSourceTitles", "a|b",
     "Columns=65539; 2 text=b; 2 width=20; 02 text=a; 65538 text=a; 65538 width=44",
     "W:80 E:60 S1:20 S0:50 R:44"},
    {"LongLabelFoundByTheTextKept", "a|" + kLongLabel,
     "Columns=5; 2 text=" + kLongLabel + "; 2 width=15; 3 text=a; 3 width=25",
     "W:80 E:60 S1:15 S0:25 R:50"},
};

}  // namespace

TEST_P(DataColumnsRestoreTest, RestoresAndSavesTheSameColumns)
{
    const RestoreCase& c = GetParam();
    AddSources(c.sources);
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
    AddSources("NIST|Ref|-off");
    tables.SetDecimals(3);
    tables.SetUnitMode(kUnitVacuum);
    columns.Restore(store, tables);
    columns.SetWidth(2, 77);
    columns.Save(store, tables);

    const Stored expected = Values(
        "Wave column=2; Columns=5; 0 text=Vacuum \u00C5; 0 width=80; 1 text=Element; 1 width=60; "
        "2 text=NIST; 2 width=77; 3 text=Ref; 3 width=50; 4 text=Ref; 4 width=50");
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(Value(name), value) << name;
    }
}

TEST_F(DataColumnsTest, FollowSourcesKeepsOrderAndWidths)
{
    AddSources("a|b|c");
    Put("Columns=6; 2 text=c; 2 width=12; 3 text=a; 3 width=13; 4 text=b; 4 width=14; "
        "5 width=15");
    columns.Restore(store, tables);
    ASSERT_EQ(Describe(columns.Columns()), "W:80 E:60 S2:12 S0:13 S1:14 R:15");

    tables.SetActive(0, false);
    columns.FollowSources(tables);
    EXPECT_EQ(Describe(columns.Columns()), "W:80 E:60 S2:12 S1:14 R:15");

    tables.SetActive(0, true);
    AddSources("d");
    columns.FollowSources(tables);
    EXPECT_EQ(Describe(columns.Columns()), "W:80 E:60 S2:12 S1:14 S0:50 S3:50 R:15");
}

TEST_F(DataColumnsTest, FollowSourcesDropsColumnsOfSourcesThatAreGone)
{
    AddSources("a|b");
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

// Source columns take the spare width (with Ref, which takes it alone when there are none) and
// their tool tips name the scale and the table.
TEST_F(DataColumnsTest, SourceColumnsShareSpareWidthAndNameTheirScale)
{
    EXPECT_EQ(columns.ShownWidths(300), (std::vector<int>{80, 60, 160}));
    AddSources("a|b");
    columns.Restore(store, tables);
    EXPECT_EQ(columns.ShownWidths(391), (std::vector<int>{80, 60, 50, 100, 101}));
    EXPECT_EQ(columns.ToolTip(3, tables),
              "log10 of the relative intensity (logarithmic scale), as the table lists it\n"
              "Table: t1.swt");
    tables.SetLinear(true);
    EXPECT_TRUE(columns.ToolTip(3, tables).starts_with("Relative intensity (linear scale"));
}

TEST(DataColumnsTitleTest, NamesTheUnitOfTheNumbersShown)
{
    const std::tuple<UnitMode, int, const char*> cases[] = {
        {kUnitAir, 3, "Wavelength \u00C5"},
        {kUnitAir, 2, "Wavelength 0.1 \u00C5"},
        {kUnitVacuum, 4, "Vacuum nm"},
        {kUnitWaveNumber, 3, "Wave number cm\u207B\u00B9"}};
    for (const auto& [unitMode, decimals, title] : cases) {
        EXPECT_EQ(DataColumns::WavelengthTitle({unitMode, decimals}), title);
    }
}
