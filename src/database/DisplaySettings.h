#pragma once

#include "database/UnitMode.h"

#include <cstdint>

// How the lines are shown: the values the list, the graph and the typed input share. A plain
// value, so that a view can keep the one it last painted with.
struct DisplaySettings {
    static constexpr int32_t kFullSpan = 2147483647;  // no limit to the scan around the line

    UnitMode unitMode = kUnitAir;
    int decimals = 3;           // 0 to 4 digits after the point; 3: Å, 4: nm
    double minIntensity = 0.0;  // intensity code a line needs, times its ratio if used
    bool useRatios = false;     // intensity codes weighted by the element ratios
    int32_t span = kFullSpan;   // 0.001 Å either side of the current line that are read
    bool linear = false;        // intensities on the linear scale, else logarithmic
};
