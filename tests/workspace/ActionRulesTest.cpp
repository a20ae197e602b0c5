#include "command/CommandNumbers.h"
#include "workspace/ActionRules.h"
#include "workspace/MenuCommandTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/WorkspaceSnapshot.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

struct RuleCase {
    const char* name;
    int commandId;
    std::function<void(WorkspaceSnapshot&)> state;
    ActionState expected;
};

void PrintTo(const RuleCase& c, std::ostream* os)
{
    *os << c.name;
}

// All panes shown, list in the middle, nothing else set.
WorkspaceSnapshot Base()
{
    WorkspaceSnapshot state;
    state.elementShown = state.dataShown = state.graphShown = true;
    state.atFirstLine = state.atLastLine = false;
    state.linear = false;
    state.sourcesActive = {true, false};
    return state;
}

void HideGraph(WorkspaceSnapshot& s)
{
    s.graphShown = false;
}

const RuleCase kRules[] = {
    {"PreviousInMiddle", CM_PREVIOUS, nullptr, {true, false}},
    {"PreviousAtFirst", CM_PREVIOUSPAGE, [](auto& s) { s.atFirstLine = true; }, {false, false}},
    {"NextAtLast", CM_NEXT, [](auto& s) { s.atLastLine = true; }, {false, false}},
    {"NextPageAtFirst", CM_NEXTPAGE, [](auto& s) { s.atFirstLine = true; }, {true, false}},
    {"VacuumChecked", CM_VACUUM, [](auto& s) { s.unitMode = kUnitVacuum; }, {true, true}},
    {"AirUnchecked", CM_AIR, [](auto& s) { s.unitMode = kUnitWaveNumber; }, {true, false}},
    {"UnitsWithoutData",
     CM_WAVENUMBER,
     [](auto& s) {
         s.unitMode = kUnitWaveNumber;
         s.dataShown = false;
     },
     {true, true}},
    {"LinearChecked", CM_LINEAR, [](auto& s) { s.linear = true; }, {true, true}},
    {"LinearNeedsData", CM_LINEAR, [](auto& s) { s.dataShown = false; }, {false, false}},
    {"LayoutChecked",
     CM_ALPHABETICAL,
     [](auto& s) { s.layout = ElementLayout::Alphabetical; },
     {true, true}},
    {"LayoutNeedsElements", CM_PERIODIC, [](auto& s) { s.elementShown = false; }, {false, false}},
    {"SetRatioNeedsElements", CM_SETRATIO, [](auto& s) { s.elementShown = false; }, {false, false}},
    {"SelectAllAlways", CM_SELECTALL, [](auto& s) { s.elementShown = false; }, {true, false}},
    {"SummationDisplay",
     CM_SUMMATION,
     [](auto& s) { s.summation = SummationMode::Display; },
     {true, true}},
    {"SummationOnlyChecksBoth",
     CM_SUMMATION,
     [](auto& s) { s.summation = SummationMode::DisplayOnly; },
     {true, true}},
    {"SummationOnlyUnchecked",
     CM_SUMMATIONONLY,
     [](auto& s) { s.summation = SummationMode::Display; },
     {true, false}},
    {"SummationNeedsGraph",
     CM_SUMMATION,
     [](auto& s) {
         s.summation = SummationMode::Display;
         s.graphShown = false;
     },
     {false, false}},
    {"RatiosChecked", CM_USERATIOS, [](auto& s) { s.useRatios = true; }, {true, true}},
    {"OverlayNeedsFile",
     CM_DISPLAYOVERLAY,
     [](auto& s) { s.displayOverlay = true; },
     {false, false}},
    {"OverlayChecked",
     CM_DISPLAYOVERLAY,
     [](auto& s) { s.displayOverlay = s.overlayLoaded = true; },
     {true, true}},
    {"ScanUncheckedWithoutGraph",
     CM_SCANONLYRANGE,
     [](auto& s) {
         s.scanLimited = true;
         s.graphShown = false;
     },
     {false, false}},
    {"ThirdOrder", CM_ORDER1 + 2, [](auto& s) { s.ordersDisplayed[2] = true; }, {true, true}},
    {"FifthOrderOff", CM_ORDER1 + 4, [](auto& s) { s.ordersDisplayed[3] = true; }, {true, false}},
    {"OrdersAsRatios",
     CM_TREATORDERSASRATIOS,
     [](auto& s) { s.treatOrderAsRatio = true; },
     {true, true}},
    {"GraphOptionsNeedGraph", CM_GRAPHOPTIONS, HideGraph, {false, false}},
    {"IntensityNeedsGraph", CM_INCREASEINTENSITY, HideGraph, {false, false}},
    {"RangeNeedsGraph", CM_DECREASERANGE, HideGraph, {false, false}},
    {"FirstSourceActive", CM_SOURCE1, nullptr, {true, true}},
    {"SecondSourceInactive", CM_SOURCE1 + 1, nullptr, {true, false}},
    {"GraphWindowUnchecked", CM_GRAPHWINDOW, HideGraph, {true, false}},
    {"ElementWindowChecked", CM_ELEMENTWINDOW, nullptr, {true, true}},
    {"CommandLineHidden",
     CM_COMMANDLINE,
     [](auto& s) { s.commandLineShown = false; },
     {true, false}},
    // Printing to a PDF file needs no printer.
    {"PrintAlways", CM_PRINT, [](auto& s) { s = WorkspaceSnapshot(); }, {true, false}},
    {"SaveGraphNeedsGraph", CM_SAVEGRAPH, HideGraph, {false, false}},
    {"GoToAlways", CM_GOTOWAVELENGTH, [](auto& s) { s = WorkspaceSnapshot(); }, {true, false}},
};

class ActionRulesTest : public ::testing::TestWithParam<RuleCase> {};

}  // namespace

TEST_P(ActionRulesTest, StateFollowsTheSnapshot)
{
    WorkspaceSnapshot state = Base();
    if (GetParam().state) {
        GetParam().state(state);
    }
    EXPECT_EQ(ActionStateFor(GetParam().commandId, state), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, ActionRulesTest, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return std::string(info.param.name); });

// Every command is listed once; checkable exactly where a rule can check it.
TEST(MenuCommandTableTest, CheckMarksOnlyWhereTheStateHasOne)
{
    WorkspaceSnapshot everything = Base();
    everything.unitMode = kUnitVacuum;
    everything.linear = everything.useRatios = everything.scanLimited = true;
    everything.displayOverlay = everything.overlayLoaded = everything.treatOrderAsRatio = true;
    everything.summation = SummationMode::DisplayOnly;
    everything.ordersDisplayed.fill(true);
    std::set<int> seen;
    for (const MenuCommand& command : MenuCommandTable()) {
        EXPECT_TRUE(seen.insert(command.id).second) << command.id;
        EXPECT_TRUE(command.id < CM_SOURCE1 || command.id > CM_SOURCELAST) << command.id;
        if (!command.checkable) {
            EXPECT_FALSE(ActionStateFor(command.id, everything).checked) << command.text;
        }
    }
}

// A menu item with a typed form runs a command the interpreter knows, by a keyword it has.
TEST(MenuCommandTableTest, TypedEquivalentsNameRealCommands)
{
    for (const MenuCommand& command : MenuCommandTable()) {
        if (const TypedEquivalent* typed = FindTypedEquivalent(command.id)) {
            EXPECT_GE(typed->commandId, CMD_FIRST) << command.text;
            EXPECT_LE(typed->commandId, CMD_LAST) << command.text;
        }
    }
    EXPECT_EQ(FindTypedEquivalent(CM_VACUUM)->commandId, CMD_VACUUM);
    EXPECT_EQ(FindTypedEquivalent(CM_GOTOWAVELENGTH), nullptr);  // asks for its value first
}
