#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/SettingsStore.h"
#include "graph/GraphSettings.h"
#include "support/TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr const char* kKey = "Software\\Spekla\\Graph Window";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The defaults, with the default colour of each of `tables` as Restore reads them.
GraphSettings Defaults(const TableArray& tables)
{
    GraphSettings settings;
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        settings.SetTableColour(i, GraphSettings::DefaultTableColour(i));
    }
    return settings;
}

class GraphSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe"}));
        folder.WriteTable("nist.swt", {Line(5000000)});
        folder.WriteTable("own.swt", {Line(5000000)});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store{SettingsStore::Root::CurrentUser, folder.File("user.reg")};
};

}  // namespace

TEST_F(GraphSettingsTest, EmptyStoreGivesDefaultsWrittenInTheStreamForm)
{
    GraphSettings settings;
    settings.linearHeight = 999;
    settings.Restore(store, tables);
    EXPECT_EQ(settings, Defaults(tables));
    EXPECT_EQ(settings.TableColour(0), (Colour{255, 255, 128}));
    EXPECT_EQ(settings.TableColour(1), (Colour{255, 128, 128}));
    EXPECT_EQ(settings.TableColour(6), (Colour{255, 255, 255}));
    for (const Colour& colour : settings.elementColours) {
        EXPECT_GT(colour.red + colour.green + colour.blue, 255) << "too dark for the black plot";
    }

    settings.Save(store, tables);
    EXPECT_EQ(store.GetValue(kKey, "Normal Line Width"), SettingsStore::Value("0.9"));
    EXPECT_EQ(store.GetValue(kKey, "Linear Height"), SettingsStore::Value("150"));
    EXPECT_EQ(store.GetValue(kKey, "D_Height"), SettingsStore::Value("1.2"));
    EXPECT_NE(store.Text().find("\"Order 3 Colour\"=hex:96,96,96,00"), std::string::npos);
    EXPECT_NE(store.Text().find("\"Table own Colour\"=hex:ff,80,80,00"), std::string::npos);
}

TEST_F(GraphSettingsTest, ChangedValuesSurviveAReload)
{
    GraphSettings changed;
    changed.labelColour = {1, 2, 3};
    changed.overlayColour = {0, 0, 0};
    changed.orderDisplayed = {false, true, false, true, true};
    changed.orderColours[4] = {9, 8, 7};
    changed.rangeStep = 2.25;
    changed.lineWidth = 0.05;
    changed.linearHeight = 259.2;
    changed.minimumHeight = 1;
    changed.heightFactor = 2;
    changed.range = 12.5;
    changed.summationMode = 2;
    changed.displayOverlay = changed.useElementColours = true;
    changed.treatOrderAsRatio = false;
    changed.elementColours[0] = {0, 0, 0};
    changed.elementNames = {"Fe", "Cu", "", "", "Mg"};
    changed.SetTableColour(1, {10, 20, 30});
    changed.spectrum = {LineShape::Voigt, 0.05, 0.02, 5000.0, -21.5, 0.8, 1e17};
    changed.Save(store, tables);

    SettingsStore next = ReloadedStore(store);
    GraphSettings restored;
    restored.Restore(next, tables);
    EXPECT_EQ(restored, changed);
}

TEST_F(GraphSettingsTest, TableColoursFollowTheLabelsNotThePositions)
{
    GraphSettings settings;
    settings.SetTableColour(0, {1, 1, 1});  // nist
    settings.SetTableColour(1, {2, 2, 2});  // own
    settings.Save(store, tables);

    folder.WriteTable("new.swt", {Line(5000000)});
    TableArray reordered(text);
    reordered.AddFile(folder.File("own.swt"), "own");
    reordered.AddFile(folder.File("new.swt"), "new");
    reordered.AddFile(folder.File("nist.swt"), "nist");
    GraphSettings restored;
    restored.Restore(store, reordered);
    EXPECT_EQ(restored.TableColour(0), (Colour{2, 2, 2}));
    EXPECT_EQ(restored.TableColour(1), GraphSettings::DefaultTableColour(1));
    EXPECT_EQ(restored.TableColour(2), (Colour{1, 1, 1}));
}

TEST_F(GraphSettingsTest, ValueNamesCompareWithoutCase)
{
    store.SetValue(kKey, "order 1 colour", std::vector<uint8_t>{5, 6, 7, 0});
    store.SetValue(kKey, "wavelength range", std::string("12.5"));
    GraphSettings settings;
    settings.Restore(store, tables);
    EXPECT_EQ(settings.orderColours[0], (Colour{5, 6, 7}));
    EXPECT_DOUBLE_EQ(settings.range, 12.5);
}

// Each damaged value alone: everything restores as the defaults.
TEST_F(GraphSettingsTest, DamagedValuesFallBackToTheDefaults)
{
    // A DWORD where text belongs, colours of 5 or with a fourth byte.
    const std::pair<const char*, SettingsStore::Value> damaged[] = {
        {"Normal Line Width", "0"},
        {"Linear Height", "abc"},
        {"Wavelength Range", "-4"},
        {"D_Range", "inf"},
        {"D_Height", "1"},
        {"Minimum Height", "0.5"},
        {"Linear Height", 300u},
        {"Display Summation", 3u},
        {"Label colour", std::vector<uint8_t>{1, 2, 3, 0, 0}},
        {"Overlay colour", std::vector<uint8_t>{1, 2, 3, 4}},
        {"Element 2 Colour", "orange"}};
    for (const auto& [name, value] : damaged) {
        SettingsStore one(SettingsStore::Root::CurrentUser,
                          folder.File(std::string(name) + ".reg"));
        one.SetValue(kKey, name, value);
        GraphSettings settings;
        settings.Restore(one, tables);
        EXPECT_EQ(settings, Defaults(tables)) << name;
    }
}

TEST(ColourTest, ConvertsTheColourReference)
{
    const Colour colour{0x12, 0x34, 0x56};
    EXPECT_EQ(colour.Reference(), 0x563412u);
    EXPECT_EQ(Colour::FromReference(0x563412u), colour);
    EXPECT_EQ(Colour::FromReference(colour.ReferenceBytes()), colour);
    EXPECT_EQ(Colour::FromReference(0x01563412u), std::nullopt);
    EXPECT_EQ(Colour::FromReference(std::vector<uint8_t>{0x12, 0x34, 0x56}), std::nullopt);
}

// Ctrl+Up (positive steps) and Ctrl+Down (negative) stay within the limits.
TEST(GraphSettingsZoomTest, IntensityStaysWithinTheLimits)
{
    const struct {
        double height, minimumHeight;
        int steps;
        double expected;
    } cases[] = {{150, 10, 3, 259.2}, {90000, 10, 1, 100000}, {150, 10, -1, 125},
                 {11, 10, -1, 10},    {11, 1, -1, 10},        {300, 280, -1, 280}};
    for (const auto& c : cases) {
        GraphSettings settings;
        settings.linearHeight = c.height;
        settings.minimumHeight = c.minimumHeight;
        for (int step = 0; step < std::abs(c.steps); ++step) {
            c.steps > 0 ? settings.IncreaseIntensity() : settings.DecreaseIntensity();
        }
        EXPECT_NEAR(settings.linearHeight, c.expected, 1e-9) << c.height << " " << c.steps;
    }
}

TEST(GraphSettingsZoomTest, RangeStepsByTheRangeStepWithinTheLimits)
{
    const struct {
        double range;
        bool increase;
        double expected;
        bool changed;
    } cases[] = {{4.0, true, 4.5, true},        {99999.8, true, 100000, true},
                 {100000, true, 100000, false}, {4.0, false, 3.5, true},
                 {1.3, false, 1.0, true},       {1.0, false, 1.0, false},
                 {0.5, false, 0.5, false}};
    for (const auto& c : cases) {
        GraphSettings settings;
        settings.range = c.range;
        EXPECT_EQ(c.increase ? settings.IncreaseRange() : settings.DecreaseRange(), c.changed)
            << c.range << " " << c.increase;
        EXPECT_DOUBLE_EQ(settings.range, c.expected) << c.range << " " << c.increase;
    }
}

TEST(GraphSettingsZoomTest, SetRejectsValuesOutsideTheLimits)
{
    const struct {
        double value;
        bool rangeAccepted, heightAccepted;
    } cases[] = {{0.005, false, false}, {0.01, true, false},  {9.99, true, false},
                 {10, true, true},      {100000, true, true}, {100000.5, false, false},
                 {-5, false, false},    {kNaN, false, false}, {INFINITY, false, false}};
    for (const auto& [value, rangeAccepted, heightAccepted] : cases) {
        GraphSettings settings;
        EXPECT_EQ(settings.SetRange(value), rangeAccepted) << value;
        EXPECT_EQ(settings.SetHeight(value), heightAccepted) << value;
        EXPECT_EQ(settings.range, rangeAccepted ? value : GraphSettings{}.range) << value;
        EXPECT_EQ(settings.linearHeight, heightAccepted ? value : GraphSettings{}.linearHeight)
            << value;
    }
}
