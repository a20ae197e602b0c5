#pragma once

#include <string>

// What a command did: whether it acted, and the warning to show when it refused. Warnings are
// shown by the workspace in a message box captioned "Warning" with an OK button.
struct CommandResult {
    enum class Icon { None, Exclamation };

    static CommandResult Done() { return {true, {}, Icon::None}; }
    static CommandResult Refused() { return {false, {}, Icon::None}; }
    static CommandResult Warning(std::string text, Icon icon)
    {
        return {false, std::move(text), icon};
    }

    bool acted = false;
    std::string warning;  // empty: nothing to show
    Icon icon = Icon::None;
};
