#pragma once

#include <optional>
#include <span>

// The help topic of each menu command of the workspace: F1 on a highlighted menu item opens it.
struct HelpContext {
    int commandId;
    int topic;  // a context number of the help topic table
};

std::span<const HelpContext> HelpContextTable();
// Nothing for a command without a topic of its own (printing, Exit, the Sources items).
std::optional<int> HelpContextForCommand(int commandId);
