#include "command/ElementSelection.h"

#include "command/CommandArguments.h"
#include "database/ElementFacts.h"
#include "database/TextTables.h"
#include "framework/Limits.h"
#include "framework/StringUtil.h"

#include <cctype>
#include <cmath>

namespace ElementSelection {

namespace {

bool StartsWithDigit(const std::string& item)
{
    return !item.empty() && std::isdigit(static_cast<unsigned char>(item[0])) != 0;
}

Element* FindElement(TextTables& text, std::string_view name)
{
    for (Element& element : text.ElementTable) {
        if (EqualsIgnoringCase(element.name, name)) {
            return &element;
        }
    }
    return nullptr;
}

std::string NotAnElement(std::string_view word)
{
    return "\"" + std::string(word) + "\" is not an element symbol or name of this installation.";
}

bool IsRatio(const std::string& item)
{
    const double value = CommandArguments::LeadingNumber(item).value_or(0.0);
    return Limits::kRatio.Contains(value);
}

std::optional<size_t> NamedValence(const TextTables& text, std::string_view name)
{
    for (size_t i = 0; i < text.ValenceNameTable.size() && i < text.ValenceFlags.size(); ++i) {
        if (EqualsIgnoringCase(text.ValenceNameTable[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

void SetValenceByItem(TextTables& text, const std::string& item)
{
    if (CommandArguments::ContainsLetter(item)) {
        text.ValenceFlags[*NamedValence(text, item)] = 1;  // checked by the caller
        return;
    }
    const long long index = CommandArguments::LeadingInteger(item).value_or(0);
    if (index >= 0 && index < TextTables::kValenceCount) {
        text.ValenceFlags[static_cast<size_t>(index)] = 1;
    }
}

void ChangeElements(TextTables& text, std::string_view symbol, Change change)
{
    for (Element& element : text.ElementTable) {
        if (!EqualsIgnoringCase(element.name, symbol)) {
            continue;
        }
        if (change == Change::Invert) {
            element.selected = element.selected != 0 ? 0 : 1;
        } else {
            element.selected = change == Change::Deselect ? 0 : 1;
        }
    }
}

}  // namespace

std::optional<std::string> SymbolOf(const TextTables& text, const ElementFacts& facts,
                                    std::string_view word)
{
    const auto find = [&text](std::string_view symbol) -> std::optional<std::string> {
        for (const Element& element : text.ElementTable) {
            if (EqualsIgnoringCase(element.name, symbol)) {
                return element.name;
            }
        }
        return std::nullopt;
    };
    if (auto symbol = find(word)) {
        return symbol;
    }
    const ElementFact* named = facts.ByName(word);
    return named != nullptr ? find(named->symbol) : std::nullopt;
}

std::optional<std::string> ChangeListed(TextTables& text, const ElementFacts& facts,
                                        const std::vector<std::string>& words, Change change)
{
    std::vector<std::string> symbols;
    for (const std::string& word : words) {
        std::optional<std::string> symbol = SymbolOf(text, facts, word);
        if (!symbol) {
            return NotAnElement(word);
        }
        symbols.push_back(std::move(*symbol));
    }
    if (change == Change::Only) {
        SetAll(text, false);
    }
    for (const std::string& symbol : symbols) {
        ChangeElements(text, symbol, change);
    }
    return std::nullopt;
}

void SetAll(TextTables& text, bool selected)
{
    for (Element& element : text.ElementTable) {
        element.selected = selected ? 1 : 0;
    }
}

std::optional<std::string> AssignRatios(TextTables& text, const ElementFacts& facts,
                                        const std::vector<std::string>& items)
{
    for (const std::string& item : items) {
        if (StartsWithDigit(item) && !IsRatio(item)) {
            return "A ratio must be a number from " + Limits::kRatio.Span() + ".";
        }
        if (!StartsWithDigit(item) && !SymbolOf(text, facts, item)) {
            return NotAnElement(item);
        }
    }
    std::vector<Element*> collected;
    for (const std::string& item : items) {
        if (!StartsWithDigit(item)) {
            collected.push_back(FindElement(text, *SymbolOf(text, facts, item)));
            continue;
        }
        const double ratio = CommandArguments::LeadingNumber(item).value_or(0.0);
        for (Element* element : collected) {
            element->ratio = ratio;
        }
        collected.clear();
    }
    return std::nullopt;
}

std::optional<std::string> SetValences(TextTables& text, std::string_view argument)
{
    const bool all = argument.empty() || EqualsIgnoringCase(argument, "ALL");
    const std::vector<std::string> items = CommandArguments::Words(argument, true);
    for (const std::string& item : items) {
        if (!all && CommandArguments::ContainsLetter(item) && !NamedValence(text, item)) {
            return "\"" + item + "\" is not an ionisation stage (I to XIX, OX, BH or a number).";
        }
    }
    text.ValenceFlags.fill(all ? 1 : 0);
    if (all) {
        return std::nullopt;
    }
    for (const std::string& item : items) {
        SetValenceByItem(text, item);
    }
    return std::nullopt;
}

}  // namespace ElementSelection
