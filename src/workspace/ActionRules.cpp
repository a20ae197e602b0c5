#include "workspace/ActionRules.h"

#include "workspace/MenuCommands.h"
#include "workspace/WorkspaceSnapshot.h"

#include <optional>

namespace {

ActionState Enabled(bool enabled, bool checked = false)
{
    return {enabled, enabled && checked};
}

std::optional<ActionState> DataRule(int id, const WorkspaceSnapshot& s)
{
    switch (id) {
        case CM_PREVIOUSPAGE:
        case CM_PREVIOUS:
            return Enabled(!s.atFirstLine);
        case CM_NEXT:
        case CM_NEXTPAGE:
            return Enabled(!s.atLastLine);
        // The graph's range labels follow the unit too, so the units never need the list.
        case CM_VACUUM:
            return Enabled(true, s.unitMode == kUnitVacuum);
        case CM_WAVENUMBER:
            return Enabled(true, s.unitMode == kUnitWaveNumber);
        case CM_AIR:
            return Enabled(true, s.unitMode == kUnitAir);
        case CM_LINEAR:
            return Enabled(s.dataShown, s.linear);
        default:
            return std::nullopt;
    }
}

std::optional<ActionState> ElementRule(int id, const WorkspaceSnapshot& s)
{
    switch (id) {
        case CM_PERIODIC:
            return Enabled(s.elementShown, s.layout == ElementLayout::Periodic);
        case CM_ALPHABETICAL:
            return Enabled(s.elementShown, s.layout == ElementLayout::Alphabetical);
        case CM_ATOMICNUMBER:
            return Enabled(s.elementShown, s.layout == ElementLayout::AtomicNumber);
        case CM_SETRATIO:
            return Enabled(s.elementShown);
        default:
            return std::nullopt;
    }
}

std::optional<ActionState> GraphRule(int id, const WorkspaceSnapshot& s)
{
    if (id >= CM_ORDER1 && id < CM_ORDER1 + GraphView::kOrders) {
        return Enabled(s.graphShown, s.ordersDisplayed[static_cast<size_t>(id - CM_ORDER1)]);
    }
    switch (id) {
        case CM_FITHEIGHTAUTOMATICALLY:
            return Enabled(s.graphShown, s.fitHeight);
        case CM_INCREASEINTENSITY:
        case CM_DECREASEINTENSITY:
        case CM_FITHEIGHT:
        case CM_INCREASERANGE:
        case CM_DECREASERANGE:
        case CM_GRAPHOPTIONS:
            return Enabled(s.graphShown);
        case CM_SUMMATION:
            return Enabled(s.graphShown, s.summation != SummationMode::Off);
        case CM_SUMMATIONONLY:
            return Enabled(s.graphShown, s.summation == SummationMode::DisplayOnly);
        case CM_USERATIOS:
            return Enabled(s.graphShown, s.useRatios);
        case CM_DISPLAYOVERLAY:
            return Enabled(s.graphShown && s.overlayLoaded, s.displayOverlay);
        case CM_SCANONLYRANGE:
            return Enabled(s.graphShown, s.scanLimited);
        case CM_TREATORDERSASRATIOS:
            return Enabled(s.graphShown, s.treatOrderAsRatio);
        default:
            return std::nullopt;
    }
}

std::optional<ActionState> FrameRule(int id, const WorkspaceSnapshot& s)
{
    const size_t source = static_cast<size_t>(id - CM_SOURCE1);
    if (id >= CM_SOURCE1 && id <= CM_SOURCELAST && source < s.sourcesActive.size()) {
        return ActionState{true, s.sourcesActive[source]};
    }
    switch (id) {
        case CM_SAVEGRAPH:
            return Enabled(s.graphShown);
        case CM_ELEMENTWINDOW:
            return ActionState{true, s.elementShown};
        case CM_DATAWINDOW:
            return ActionState{true, s.dataShown};
        case CM_GRAPHWINDOW:
            return ActionState{true, s.graphShown};
        case CM_COMMANDLINE:
            return ActionState{true, s.commandLineShown};
        case CM_PEAKSWINDOW:
            return ActionState{true, s.peaksShown};
        default:
            return std::nullopt;
    }
}

}  // namespace

ActionState ActionStateFor(int commandId, const WorkspaceSnapshot& state)
{
    for (auto rule : {DataRule, ElementRule, GraphRule, FrameRule}) {
        if (const std::optional<ActionState> result = rule(commandId, state)) {
            return *result;
        }
    }
    return {};
}
