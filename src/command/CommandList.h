#pragma once

#include "command/Command.h"

#include <optional>
#include <string_view>
#include <vector>

class TextTables;

// The keyword table, sorted by keyword (byte order). Entries with equal keywords keep the order
// in which they were added, so an element symbol added first wins over an equal fixed word.
class CommandList {
public:
    // Every element symbol of `tables` (upper-cased, as ELEMENTS commands), then the fixed
    // keywords of the language.
    static CommandList ForElements(const TextTables& tables);

    void Add(const Command& command);
    // An element renamed: its old symbol stops being a keyword and the new one becomes one.
    void RenameElement(std::string_view oldSymbol, std::string_view newSymbol);
    // An exact keyword first; otherwise the first keyword that begins with `text`. `text` is
    // expected in upper case. Empty when nothing matches.
    std::optional<Command> Find(std::string_view text) const;

    const std::vector<Command>& Entries() const { return m_entries; }

private:
    std::vector<Command> m_entries;
};
