#pragma once

#include <string>
#include <string_view>

// One keyword of the command language: the upper-case word and the command number it stands
// for (0 ends the program). Entries compare by keyword alone.
struct Command {
    Command() = default;
    // Strips blanks from both ends of `keyword`; the case is kept as given.
    Command(std::string_view keyword, int commandId, bool isElement);

    bool operator==(const Command& other) const { return keyword == other.keyword; }
    bool operator<(const Command& other) const { return keyword < other.keyword; }

    std::string keyword;
    int commandId = 0;
    bool isElement = false;  // made from an element symbol
};
