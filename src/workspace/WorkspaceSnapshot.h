#pragma once

#include "command/ElementView.h"
#include "command/GraphView.h"
#include "database/UnitMode.h"

#include <array>
#include <vector>

// The state that menu items, tool-bar buttons and status gadgets show, read in one go from the
// workspace, the line database and the panes. Values of a pane that is not shown are ignored.
struct WorkspaceSnapshot {
    bool elementShown = false;
    bool dataShown = false;
    bool graphShown = false;
    bool commandLineShown = true;
    bool peaksShown = false;

    // The display list's cursor is on its first or its last line (both when it is empty).
    bool atFirstLine = true;
    bool atLastLine = true;
    UnitMode unitMode = kUnitAir;
    bool linear = true;
    bool useRatios = false;
    bool scanLimited = false;
    std::vector<bool> sourcesActive;

    ElementLayout layout = ElementLayout::Periodic;

    SummationMode summation = SummationMode::Off;
    bool displayOverlay = false;
    bool overlayLoaded = false;  // an overlay file name is known
    std::array<bool, GraphView::kOrders> ordersDisplayed{};
    bool treatOrderAsRatio = false;
    bool fitHeight = false;
};
