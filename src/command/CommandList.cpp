#include "command/CommandList.h"

#include "command/CommandNumbers.h"
#include "database/TextTables.h"
#include "framework/StringUtil.h"

#include <algorithm>

namespace {

struct FixedKeyword {
    const char* keyword;
    int commandId;
};

// In the order they are added; the quit words first.
constexpr FixedKeyword kFixedKeywords[] = {
    {"BYE", CMD_QUIT},
    {"CIAO", CMD_QUIT},
    {"CLOSE", CMD_QUIT},
    {"EXIT", CMD_QUIT},
    {"FINIS", CMD_QUIT},
    {"FERME", CMD_QUIT},
    {"OFF", CMD_QUIT},
    {"QUIT", CMD_QUIT},
    {"+", CMD_ADD},
    {"-", CMD_REMOVE},
    {"?", CMD_QUESTION},
    {"ABOUT", CMD_ABOUT},
    {"ADD", CMD_ADD},
    {"AIR", CMD_AIR},
    {"ALL", CMD_ALL},
    {"ALPHABETICAL", CMD_ALPHABETICAL},
    {"ATOMIC", CMD_ATOMIC},
    {"CLEAR", CMD_CLEAR},
    {"DECIMALS", CMD_DECIMALS},
    {"DENSITY", CMD_DENSITY},
    {"DOWN", CMD_DOWN},
    {"ELEMENTS", CMD_ELEMENTS},
    {"EXPORT", CMD_EXPORT},
    {"FWHM", CMD_FWHM},
    {"EXPONENTIAL", CMD_LINEAR},
    {"GOTO", CMD_GOTO},
    {"HEIGHT", CMD_HEIGHT},
    {"HELP", CMD_HELP},
    {"HIDE", CMD_HIDE},
    {"IDENTIFY", CMD_IDENTIFY},
    {"ION", CMD_ION},
    {"LINEAR", CMD_LINEAR},
    {"LOAD", CMD_LOAD},
    {"MINIMUM", CMD_MINIMUM},
    {"NEXT", CMD_DOWN},
    {"NUMBER", CMD_WAVENUMBER},
    {"ONLY", CMD_ONLY},
    {"OPEN", CMD_LOAD},
    {"ORDERS", CMD_ORDERS},
    {"OVERLAY", CMD_OVERLAY},
    {"PERIODIC", CMD_PERIODIC},
    {"PREVIOUS", CMD_UP},
    {"PRINT", CMD_PRINT},
    {"PROFILE", CMD_PROFILE},
    {"RATIOS", CMD_RATIOS},
    {"RANGE", CMD_RANGE},
    {"REMOVE", CMD_REMOVE},
    {"RESET", CMD_CLEAR},
    {"RESOLUTION", CMD_RESOLUTION},
    {"SAVE", CMD_SAVE},
    {"SCAN", CMD_SCAN},
    {"SHOW", CMD_SHOW},
    {"SOURCE", CMD_SOURCE},
    {"SUMMATION", CMD_SUMMATION},
    {"TEMPERATURE", CMD_TEMPERATURE},
    {"TOUS", CMD_ALL},
    {"TOUT", CMD_ALL},
    {"UP", CMD_UP},
    {"VACUUM", CMD_VACUUM},
    {"VELOCITY", CMD_VELOCITY},
    {"WAVENUMBER", CMD_WAVENUMBER},
};

}  // namespace

CommandList CommandList::ForElements(const TextTables& tables, const ElementFacts& facts)
{
    CommandList list;
    list.m_facts = &facts;
    for (const Element& element : tables.ElementTable) {
        list.Add(Command(ToUpper(element.name), CMD_ELEMENTS, true));
    }
    for (const FixedKeyword& fixed : kFixedKeywords) {
        list.Add(Command(fixed.keyword, fixed.commandId, false));
    }
    return list;
}

void CommandList::Add(const Command& command)
{
    const auto after = std::upper_bound(m_entries.begin(), m_entries.end(), command);
    m_entries.insert(after, command);
}

void CommandList::RenameElement(std::string_view oldSymbol, std::string_view newSymbol)
{
    const std::string old = ToUpper(oldSymbol);
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Command& entry) {
        return entry.isElement && entry.keyword == old;
    });
    if (found != m_entries.end()) {
        m_entries.erase(found);
    }
    // Ahead of an equal fixed word, as at start: the element wins the tie.
    const Command renamed(ToUpper(newSymbol), CMD_ELEMENTS, true);
    m_entries.insert(std::lower_bound(m_entries.begin(), m_entries.end(), renamed), renamed);
}

std::optional<Command> CommandList::Find(std::string_view text) const
{
    for (const Command& entry : m_entries) {
        if (entry.keyword == text) {
            return entry;
        }
    }
    if (auto named = FindNamedElement(text)) {
        return named;
    }
    for (const Command& entry : m_entries) {
        if (entry.keyword.starts_with(text)) {
            return entry;
        }
    }
    return std::nullopt;
}

// Only while the symbol is a keyword: an element renamed is no longer found by its name.
std::optional<Command> CommandList::FindNamedElement(std::string_view name) const
{
    const ElementFact* fact = m_facts == nullptr ? nullptr : m_facts->ByName(name);
    if (fact == nullptr) {
        return std::nullopt;
    }
    const std::string symbol = ToUpper(fact->symbol);
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Command& entry) {
        return entry.isElement && entry.keyword == symbol;
    });
    return found == m_entries.end() ? std::nullopt : std::optional<Command>(*found);
}
