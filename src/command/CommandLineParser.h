#pragma once

#include <optional>
#include <string>
#include <string_view>

class CommandList;

// The text handling of the command-line box, apart from the widget: a typed line becomes a
// keyword and an argument, the keyword a command number, and the line perhaps a history entry.

struct TypedCommand {
    std::string keyword;   // upper case
    std::string argument;  // as typed, possibly empty
};

struct ResolvedCommand {
    int commandId = 0;    // 0 ends the program
    std::string keyword;  // the keyword as matched in the table (the full word)
    // Upper case, except for the commands that take file names or source labels, whose argument
    // keeps the case it was typed in (file names on Linux differ by case). For an element symbol
    // or name: the symbol in full, a blank and the argument.
    std::string argument;
};

class CommandLineParser {
public:
    // Longer lines are refused whole: cut short, a file name in one would name another file.
    static constexpr size_t kMaxLength = 255;

    // The warning for a line of more than kMaxLength characters, blanks around it not counted;
    // empty for one within the limit.
    static std::string LengthWarning(std::string_view line);

    // Trims the line and upper-cases its keyword; "+x" and "-x" become
    // "+ x" and "- x", a line starting with a digit means GOTO. Empty for a line of blanks only.
    static std::optional<TypedCommand> Split(std::string_view line);

    // Empty when the keyword matches nothing ("No match").
    static std::optional<ResolvedCommand> Resolve(const CommandList& keywords,
                                                  const TypedCommand& typed);

    // LOAD, OPEN, SAVE, OVERLAY, EXPORT and SOURCE: their arguments name files or labels.
    static bool KeepsArgumentCase(int commandId);
};
