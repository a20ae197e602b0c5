#include "command/CommandNumbers.h"
#include "workspace/ActionRules.h"
#include "workspace/MenuCommandTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/WorkspaceSnapshot.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

// Changes the base state below for one rule.
#define SET(...) [](WorkspaceSnapshot& s) { __VA_ARGS__; }

struct RuleCase {
    int commandId;
    std::function<void(WorkspaceSnapshot&)> state;
    ActionState expected;
};

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

using Mode = SummationMode;
const auto kNoGraph = SET(s.graphShown = false);
const auto kNothing = SET(s = WorkspaceSnapshot());

const RuleCase kRules[] = {
    {CM_PREVIOUS, nullptr, {true, false}},
    {CM_PREVIOUSPAGE, SET(s.atFirstLine = true), {false, false}},
    {CM_NEXT, SET(s.atLastLine = true), {false, false}},
    {CM_NEXTPAGE, SET(s.atFirstLine = true), {true, false}},
    {CM_VACUUM, SET(s.unitMode = kUnitVacuum), {true, true}},
    {CM_AIR, SET(s.unitMode = kUnitWaveNumber), {true, false}},
    {CM_WAVENUMBER, SET(s.unitMode = kUnitWaveNumber, s.dataShown = false), {true, true}},
    {CM_LINEAR, SET(s.linear = true), {true, true}},
    {CM_LINEAR, SET(s.dataShown = false), {false, false}},
    {CM_ALPHABETICAL, SET(s.layout = ElementLayout::Alphabetical), {true, true}},
    {CM_PERIODIC, SET(s.elementShown = false), {false, false}},
    {CM_SETRATIO, SET(s.elementShown = false), {false, false}},
    {CM_SELECTALL, SET(s.elementShown = false), {true, false}},
    {CM_SUMMATION, SET(s.summation = Mode::Display), {true, true}},
    {CM_SUMMATION, SET(s.summation = Mode::DisplayOnly), {true, true}},
    {CM_SUMMATIONONLY, SET(s.summation = Mode::Display), {true, false}},
    {CM_SUMMATION, SET(s.summation = Mode::Display, s.graphShown = false), {false, false}},
    {CM_USERATIOS, SET(s.useRatios = true), {true, true}},
    {CM_DISPLAYOVERLAY, SET(s.displayOverlay = true), {false, false}},  // no file loaded
    {CM_DISPLAYOVERLAY, SET(s.displayOverlay = s.overlayLoaded = true), {true, true}},
    {CM_SCANONLYRANGE, SET(s.scanLimited = true, s.graphShown = false), {false, false}},
    {CM_ORDER1 + 2, SET(s.ordersDisplayed[2] = true), {true, true}},
    {CM_ORDER1 + 4, SET(s.ordersDisplayed[3] = true), {true, false}},
    {CM_TREATORDERSASRATIOS, SET(s.treatOrderAsRatio = true), {true, true}},
    {CM_GRAPHOPTIONS, kNoGraph, {false, false}},
    {CM_INCREASEINTENSITY, kNoGraph, {false, false}},
    {CM_DECREASERANGE, kNoGraph, {false, false}},
    {CM_SOURCE1, nullptr, {true, true}},
    {CM_SOURCE1 + 1, nullptr, {true, false}},
    {CM_GRAPHWINDOW, kNoGraph, {true, false}},
    {CM_ELEMENTWINDOW, nullptr, {true, true}},
    {CM_COMMANDLINE, SET(s.commandLineShown = false), {true, false}},
    {CM_PRINT, kNothing, {true, false}},  // printing to a PDF file needs no printer
    {CM_SAVEGRAPH, kNoGraph, {false, false}},
    {CM_GOTOWAVELENGTH, kNothing, {true, false}},
};

}  // namespace

TEST(ActionRulesTest, StateFollowsTheSnapshot)
{
    for (size_t i = 0; i < std::size(kRules); ++i) {
        WorkspaceSnapshot state = Base();
        if (kRules[i].state) {
            kRules[i].state(state);
        }
        const ActionState actual = ActionStateFor(kRules[i].commandId, state);
        EXPECT_EQ(actual, kRules[i].expected)
            << "rule " << i << ", command " << kRules[i].commandId << ": enabled " << actual.enabled
            << ", checked " << actual.checked;
    }
}

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
