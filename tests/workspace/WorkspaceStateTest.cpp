#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "support/TestFiles.h"
#include "workspace/WorkspaceState.h"

#include <gtest/gtest.h>

namespace {

class WorkspaceStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "He", "Fe"}));
        folder.WriteTable("lines.swt", {Line(1000), Line(3961527), Line(5000000)});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store{SettingsStore::Root::CurrentUser, folder.File("user.reg")};
};

}  // namespace

TEST_F(WorkspaceStateTest, FirstStartUsesDefaults)
{
    WorkspaceState state;
    state.Restore(store, text, tables);
    EXPECT_TRUE(state.elementWindowActive && state.dataWindowActive && state.graphWindowActive);
    EXPECT_FALSE(tables.Linear());  // "Linear" missing: the logarithmic scale
    EXPECT_EQ(
        (std::vector<int64_t>{state.scanRange, tables.DisplayList().Target(), tables.UnitMode(),
                              tables.Decimals(), state.exportSettings.Data}),
        (std::vector<int64_t>{0, 1, 1, 3, 1}));
}

// Saved under the names, types and check-mark value (8) other versions of the program read,
// and all of it comes back at the next start.
TEST_F(WorkspaceStateTest, EverythingSurvivesARoundTripUnderItsNames)
{
    using Value = SettingsStore::Value;
    WorkspaceState state;
    state.Restore(store, text, tables);
    state.elementWindowActive = false;
    state.graphWindowActive = false;
    state.scanRange = 1;  // any nonzero value is written as the check mark's 8
    tables.SetUseRatios(true);
    tables.SetLinear(true);
    state.overlayFileName = "measured.txt";
    state.exportSettings = {"out.txt", "3900-4000", 0, 1, 0};
    text.ElementTable[0].selected = 0;
    text.ElementTable[2].ratio = 2.5;
    text.ValenceFlags[1] = 0;
    text.ValenceFlags[25] = 0;
    tables.SetUnitMode(kUnitVacuum);
    tables.SetDecimals(4);
    tables.SetMinimumIntensity(12.5);
    tables.GoToWavelength(3961527);
    state.Save(store, text, tables);

    const std::string root = "Software\\Spekla";
    const struct {
        std::string key;
        const char* name;
        Value value;
    } expected[] = {
        {root + "\\Element Window", "Active", uint32_t{0}},
        {root + "\\Data Window", "Active", uint32_t{1}},
        {root + "\\Graph Window", "Active", uint32_t{0}},
        {root + "\\Graph Window", "Use Ratios", uint32_t{8}},
        {root + "\\Data Window", "Linear", uint32_t{1}},
        {root, "Scan Range", uint32_t{8}},
        {root, "Wavelength", uint32_t{3961527}},
        {root, "Minimum intensity", std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0x29, 0x40}},
        {root, "Display As", uint32_t{2}},
        {root, "Decimals", uint32_t{4}},
        {root, "Overlay file", std::string("measured.txt")},
        {root, "Element File", std::string("ELEMENT")},
        {root, "Valence File", std::string("VALENCE")},
        {root, "Reference File", std::string("REFERENC")},
        {root, "Description File", std::string("DESCRIPT")},
        {root + "\\Elements", "H", std::string("1 0")},
        {root + "\\Elements", "Fe", std::string("2.5 1")},
        {root + "\\Valences", text.ValenceNameTable[1].c_str(), uint32_t{0}},
        {root + "\\Valences", text.ValenceNameTable[2].c_str(), uint32_t{1}},
        {root + "\\Export", "Filename", std::string("out.txt")},
        {root + "\\Export", "Range", std::string("3900-4000")},
        {root + "\\Export", "Data", uint32_t{0}},
        {root + "\\Export", "Summ", uint32_t{1}},
        {root + "\\Export", "Both", uint32_t{0}},
    };
    for (const auto& value : expected) {
        EXPECT_EQ(store.GetValue(value.key, value.name), value.value)
            << value.key << " " << value.name;
    }

    SettingsStore next = ReloadedStore(store);
    TextTables nextText;
    nextText.Load(folder.Path());
    TableArray nextTables(nextText);
    WorkspaceState restored;
    restored.Restore(next, nextText, nextTables);
    EXPECT_EQ((std::vector<bool>{restored.elementWindowActive, restored.dataWindowActive,
                                 restored.graphWindowActive, nextTables.UseRatios(),
                                 nextTables.Linear()}),
              (std::vector<bool>{false, true, false, true, true}));
    EXPECT_EQ(restored.exportSettings.FileName + " " + restored.exportSettings.Range,
              "out.txt 3900-4000");
    EXPECT_EQ(
        (std::vector<int64_t>{
            restored.scanRange, restored.exportSettings.Summ, nextText.ElementTable[0].selected,
            nextText.ValenceFlags[1], nextText.ValenceFlags[25], nextText.ValenceFlags[2],
            nextTables.UnitMode(), nextTables.Decimals(), nextTables.DisplayList().Target()}),
        (std::vector<int64_t>{8, 1, 0, 0, 0, 1, kUnitVacuum, 4, 3961527}));
    EXPECT_EQ((std::pair{nextText.ElementTable[2].ratio, nextTables.MinIntensity()}),
              (std::pair{2.5, 12.5}));
    EXPECT_EQ(next.GetValue(root, "Display as"), Value(uint32_t{2}));  // any case reads it
    EXPECT_EQ(next.GetValue(root, "Overlay file"), Value(std::string("measured.txt")));

    state.exportSettings = {"out.txt", "1", 1, 0, 0};  // "Both" read back, too
    state.Save(store, text, tables);
    restored.Restore(store, text, tables);
    EXPECT_EQ(restored.exportSettings.Both, 1);
    EXPECT_EQ(restored.exportSettings.Summ + restored.exportSettings.Data, 0);
}

TEST_F(WorkspaceStateTest, SavingWithNoElementSelectedSelectsThemAll)
{
    for (Element& element : text.ElementTable) {
        element.selected = 0;
    }
    WorkspaceState().Save(store, text, tables);
    EXPECT_EQ(store.GetValue("Software\\Spekla\\Elements", "He"),
              SettingsStore::Value(std::string("1 1")));
}

TEST_F(WorkspaceStateTest, WrongValuesLeaveDefaults)
{
    const RegistryKey root = store.CreateKey("Software\\Spekla");
    root.SetString("Decimals", "4");                                     // wrong type
    root.SetDword("Display As", 7);                                      // out of range
    root.SetBinary("Minimum intensity", std::vector<uint8_t>{1, 2, 3});  // wrong size
    root.SetString("Scan Range", "8");
    root.SetDword("Wavelength", 5000000);
    store.CreateKey("Software\\Spekla\\Data Window").SetString("Active", "0");
    store.CreateKey("Software\\Spekla\\Graph Window").SetString("Use Ratios", "8");
    store.CreateKey("Software\\Spekla\\Elements").SetDword("Fe", 0);
    store.CreateKey("Software\\Spekla\\Elements").SetString("He", "nan 0");
    const RegistryKey exportKey = store.CreateKey("Software\\Spekla\\Export");
    exportKey.SetDword("Data", 0);  // no choice at all
    exportKey.SetDword("Summ", 5);
    WorkspaceState state;
    state.Restore(store, text, tables);
    EXPECT_EQ(
        (std::vector<int64_t>{tables.Decimals(), tables.UnitMode(), tables.DisplayList().Target(),
                              state.dataWindowActive, state.scanRange, tables.UseRatios(),
                              text.ElementTable[2].selected, text.ElementTable[1].selected,
                              state.exportSettings.Data, state.exportSettings.Summ}),
        (std::vector<int64_t>{3, 1, 5000000, true, 0, false, 1, 1, 1, 0}));
    EXPECT_EQ((std::pair{tables.MinIntensity(), text.ElementTable[1].ratio}),
              (std::pair{0.0, 1.0}));
}

// "ratio selected" in the shortest form; a lone ratio counts as its own selection flag.
TEST(WorkspaceStateElementValueTest, ParsesAndWritesRatioAndSelection)
{
    const struct {
        const char* text;
        double ratio;
        bool selected;
    } cases[] = {{"1 1", 1.0, true},
                 {"0.5 0", 0.5, false},
                 {"2.5", 2.5, true},  // 2 is nonzero
                 {"0.5", 0.5, false},
                 {"1e+06 1", 1e6, true}};
    for (const auto& c : cases) {
        double ratio = -1.0;
        bool selected = !c.selected;
        ASSERT_TRUE(WorkspaceState::ParseElementValue(c.text, ratio, selected)) << c.text;
        EXPECT_DOUBLE_EQ(ratio, c.ratio) << c.text;
        EXPECT_EQ(selected, c.selected) << c.text;
    }
    EXPECT_EQ(WorkspaceState::ElementValue(1.0, true), "1 1");
    EXPECT_EQ(WorkspaceState::ElementValue(2.5, false), "2.5 0");
    EXPECT_EQ(WorkspaceState::ElementValue(1.0 / 3.0, true), "0.333333 1");
}
