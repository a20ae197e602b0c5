#pragma once

#include <span>

// What the user sees of each command: its menu text (with the & of its mnemonic), its key and
// its status-bar hint. Sources items are made per table file and are not listed here.
struct MenuCommand {
    int id;
    const char* text;
    const char* shortcut;  // in the form QKeySequence reads ("Ctrl+G"), empty for none
    const char* hint;
    bool checkable;
};

std::span<const MenuCommand> MenuCommandTable();
