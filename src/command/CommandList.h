#pragma once

#include "command/Command.h"
#include "database/ElementFacts.h"

#include <optional>
#include <string_view>
#include <vector>

class TextTables;

// The keyword table, sorted by keyword (byte order). Entries with equal keywords keep the order
// in which they were added, so an element symbol added first wins over an equal fixed word.
class CommandList {
public:
    // Every element symbol of `tables` (upper-cased, as ELEMENTS commands), then the fixed
    // keywords of the language. The element names of `facts` stand for their symbols.
    static CommandList ForElements(const TextTables& tables,
                                   const ElementFacts& facts = ElementFacts::Installed());
    // The list keeps `facts`, which must outlive it.
    static CommandList ForElements(const TextTables& tables, ElementFacts&& facts) = delete;

    void Add(const Command& command);
    // An element renamed: its old symbol stops being a keyword and the new one becomes one.
    void RenameElement(std::string_view oldSymbol, std::string_view newSymbol);
    // An exact keyword first, then the symbol entry of an element named in full ("IRON" finds
    // FE); otherwise the first keyword that begins with `text`. Names are never abbreviated: "HEL"
    // stays HELP rather than helium. `text` is expected in upper case. Empty when nothing matches.
    std::optional<Command> Find(std::string_view text) const;

    const std::vector<Command>& Entries() const { return m_entries; }

private:
    std::optional<Command> FindNamedElement(std::string_view name) const;

    std::vector<Command> m_entries;
    const ElementFacts* m_facts = nullptr;  // none: names are not known
};
