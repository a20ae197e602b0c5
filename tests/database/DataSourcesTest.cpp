#include "TestFiles.h"
#include "database/DataSources.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"

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

TEST(DataSourcesMenuTest, NumbersAndShortcuts)
{
    EXPECT_EQ(DataSources::MenuText(0, "Kurucz", false), "&1  Kurucz\tCtrl+1");
    EXPECT_EQ(DataSources::MenuText(9, "NIST", false), "&10  NIST\tCtrl+0");
    EXPECT_EQ(DataSources::MenuText(10, "Extra", false), "Extra");
    EXPECT_EQ(DataSources::MenuText(11, "Extra", true), "&12  Extra");
}
