#pragma once

#include "command/CommandResult.h"

#include <string_view>

class GraphView;

// The commands that shape the synthetic spectrum (the summation curve): PROFILE, FWHM,
// RESOLUTION, VELOCITY, TEMPERATURE and DENSITY. Each changes the graph's settings and repaints
// it, or refuses with a warning that names the word or the limits, changing nothing.
class SpectrumCommand {
public:
    // `commandId` is one of CMD_PROFILE to CMD_DENSITY.
    static CommandResult Run(int commandId, std::string_view argument, GraphView& graph);
};
