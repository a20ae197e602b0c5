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

// A menu item that does exactly what a typed command does: it runs that command.
struct TypedEquivalent {
    int menuId;
    int commandId;
    const char* keyword;
    const char* argument;
};

// Null for a menu item without a typed form.
const TypedEquivalent* FindTypedEquivalent(int menuId);
