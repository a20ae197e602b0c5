#pragma once

#include <optional>
#include <string>
#include <string_view>

class CommandList;

// The text handling of the command-line box, apart from the widget: a typed line becomes a
// keyword and an argument, the keyword a command number, and the line perhaps a history entry.

struct TypedCommand {
    std::string keyword;   // upper case
    std::string argument;  // upper case, possibly empty
};

struct ResolvedCommand {
    int commandId = 0;     // 0 ends the program
    std::string argument;  // for an element symbol: the symbol, a blank and the argument
};

class CommandLineParser {
public:
    static constexpr size_t kMaxLength = 255;

    // Upper-cases and trims the line (at most 255 characters); "+x" and "-x" become "+ x" and
    // "- x", a line starting with a digit means GOTO. Empty for a line of blanks only.
    static std::optional<TypedCommand> Split(std::string_view line);

    // Empty when the keyword matches nothing ("No match").
    static std::optional<ResolvedCommand> Resolve(const CommandList& keywords,
                                                  const TypedCommand& typed);
};
