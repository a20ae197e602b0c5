#include "database/DataSources.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

class DataSourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"alpha.swt", "Beta.swt", "gamma.swt"}) {
            folder.WriteTable(name, {Line(1000)});
        }
        tables.ScanDirectory(folder.Path());
    }

    // The settings as a new run finds them: a new store read from the saved file.
    void SaveAndRestoreInto(TableArray& next)
    {
        DataSources::Save(tables, store);
        ASSERT_TRUE(store.Save());
        SettingsStore fresh(SettingsStore::Root::CurrentUser, store.FilePath());
        ASSERT_TRUE(fresh.Load());
        DataSources::Restore(next, fresh);
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store{SettingsStore::Root::CurrentUser, folder.File("user.reg")};
};

}  // namespace

TEST_F(DataSourcesTest, LabelsStatesAndScalesRoundTrip)
{
    tables.FileAt(0).SetLabel("Kurucz");
    tables.FileAt(1).SetScale(0.25);
    tables.FileAt(2).Deactivate();
    TableArray next(text);
    next.ScanDirectory(folder.Path());
    SaveAndRestoreInto(next);
    EXPECT_EQ(next.FileAt(0).Label(), "Kurucz");
    EXPECT_EQ(next.FileAt(1).Label(), "Beta");
    EXPECT_DOUBLE_EQ(next.FileAt(1).Scale(), 0.25);
    EXPECT_TRUE(next.IsActive(1));
    EXPECT_FALSE(next.IsActive(2));
    EXPECT_EQ(store.GetValue(DataSources::kKey, "File 1"),
              SettingsStore::Value(std::string("beta.swt")));
}

TEST_F(DataSourcesTest, SavingWithEverySourceOffSavesThemAllActive)
{
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        tables.FileAt(i).Deactivate();
    }
    TableArray next(text);
    next.ScanDirectory(folder.Path());
    next.FileAt(1).Deactivate();
    SaveAndRestoreInto(next);
    for (size_t i = 0; i < next.FileCount(); ++i) {
        EXPECT_TRUE(next.IsActive(i)) << i;
    }
}

TEST_F(DataSourcesTest, EntriesOfMissingFilesAreIgnoredAndLaterDuplicatesWin)
{
    const RegistryKey key = store.CreateKey(DataSources::kKey);
    key.SetDword("Files", 4);
    key.SetString("File 0", "GAMMA.SWT");
    key.SetString("Label 0", "first");
    key.SetString("File 1", "gone.swt");
    key.SetString("Label 1", "lost");
    // File 2 is missing: skipped.
    key.SetString("Label 2", "nothing");
    key.SetString("File 3", "gamma.swt");
    key.SetString("Label 3", "second");
    key.SetDword("Active 3", 0);
    key.SetBinary("Scale 3", std::vector<uint8_t>{1, 2});  // wrong size: scale unchanged
    DataSources::Restore(tables, store);
    EXPECT_EQ(tables.FileAt(2).Label(), "second");
    EXPECT_FALSE(tables.IsActive(2));
    EXPECT_DOUBLE_EQ(tables.FileAt(2).Scale(), 1.0);
    EXPECT_EQ(tables.FileAt(0).Label(), "alpha");
}

namespace {

// Hand-edited "Files" and "Scale 0" lines below an entry for alpha.swt labelled "Edited".
struct EditedCase {
    const char* name;
    const char* lines;
    bool applied;  // whether the entry is read at all
    double scale;
};

class DataSourcesEditedTest : public DataSourcesTest,
                              public ::testing::WithParamInterface<EditedCase> {};

const EditedCase kEditedCases[] = {
    // A count of billions would look up every number; only the stored entries are visited.
    {"HugeCount", "\"Files\"=dword:ffffffff\n", true, 1.0},
    {"LargestPositiveCount", "\"Files\"=dword:7fffffff\n", true, 1.0},
    {"NegativeCount", "\"Files\"=dword:-1\n", false, 1.0},
    {"CountOfWrongType", "\"Files\"=\"3\"\n", false, 1.0},
    {"EmptyCount", "\"Files\"=dword:\n", false, 1.0},
    {"ZeroCount", "\"Files\"=dword:00000000\n", false, 1.0},
    {"GoodScale", "\"Files\"=dword:1\n\"Scale 0\"=hex:00,00,00,00,00,00,e0,3f\n", true, 0.5},
    {"NegativeScale", "\"Files\"=dword:1\n\"Scale 0\"=hex:00,00,00,00,00,00,f0,bf\n", true, 1.0},
    {"ScaleOfWrongType", "\"Files\"=dword:1\n\"Scale 0\"=dword:00000002\n", true, 1.0},
    {"EmptyScale", "\"Files\"=dword:1\n\"Scale 0\"=hex:\n", true, 1.0},
};

}  // namespace

TEST_P(DataSourcesEditedTest, BadValuesLeaveDefaults)
{
    const EditedCase& c = GetParam();
    store.LoadText(std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla\\Sources]\n"
                               "\"File 0\"=\"alpha.swt\"\n\"Label 0\"=\"Edited\"\n") +
                   c.lines);
    DataSources::Restore(tables, store);
    EXPECT_EQ(tables.FileAt(0).Label(), c.applied ? "Edited" : "alpha");
    EXPECT_DOUBLE_EQ(tables.FileAt(0).Scale(), c.scale);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataSourcesEditedTest, ::testing::ValuesIn(kEditedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Entries at or beyond the count, or numbered another way, were never written by a save.
TEST_F(DataSourcesTest, OnlyEntriesBelowTheCountAsWrittenAreRead)
{
    const RegistryKey key = store.CreateKey(DataSources::kKey);
    key.SetDword("Files", 2);
    key.SetString("File 01", "alpha.swt");
    key.SetString("Label 01", "padded");
    key.SetString("file 1", "beta.swt");
    key.SetString("Label 1", "kept");
    key.SetString("File 2", "gamma.swt");
    key.SetString("Label 2", "beyond");
    DataSources::Restore(tables, store);
    EXPECT_EQ(tables.FileAt(0).Label(), "alpha");
    EXPECT_EQ(tables.FileAt(1).Label(), "kept");
    EXPECT_EQ(tables.FileAt(2).Label(), "gamma");
}

TEST(DataSourcesMenuTest, NumbersAndShortcuts)
{
    EXPECT_EQ(DataSources::MenuText(0, "Kurucz", false), "&1  Kurucz\tCtrl+1");
    EXPECT_EQ(DataSources::MenuText(9, "NIST", false), "&10  NIST\tCtrl+0");
    EXPECT_EQ(DataSources::MenuText(10, "Extra", false), "Extra");
    EXPECT_EQ(DataSources::MenuText(11, "Extra", true), "&12  Extra");
}
