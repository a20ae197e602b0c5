#include "command/ElementSelection.h"

#include "command/CommandArguments.h"
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

bool IsRatio(const std::string& item)
{
    const double value = CommandArguments::LeadingNumber(item).value_or(0.0);
    return Limits::kRatio.Contains(value);
}

void SetValenceByItem(TextTables& text, const std::string& item)
{
    if (!CommandArguments::ContainsLetter(item)) {
        const long long index = CommandArguments::LeadingInteger(item).value_or(0);
        if (index >= 0 && index < TextTables::kValenceCount) {
            text.ValenceFlags[static_cast<size_t>(index)] = 1;
        }
        return;
    }
    for (size_t i = 0; i < text.ValenceNameTable.size() && i < text.ValenceFlags.size(); ++i) {
        if (EqualsIgnoringCase(text.ValenceNameTable[i], item)) {
            text.ValenceFlags[i] = 1;
            return;
        }
    }
}

}  // namespace

void ChangeListed(TextTables& text, const std::vector<std::string>& names, Change change)
{
    for (const std::string& name : names) {
        for (Element& element : text.ElementTable) {
            if (!EqualsIgnoringCase(element.name, name)) {
                continue;
            }
            if (change == Change::Invert) {
                element.selected = element.selected != 0 ? 0 : 1;
            } else {
                element.selected = change == Change::Select ? 1 : 0;
            }
        }
    }
}

void SetAll(TextTables& text, bool selected)
{
    for (Element& element : text.ElementTable) {
        element.selected = selected ? 1 : 0;
    }
}

std::optional<std::string> AssignRatios(TextTables& text, const std::vector<std::string>& items)
{
    for (const std::string& item : items) {
        if (StartsWithDigit(item) && !IsRatio(item)) {
            return "A ratio must be a number from " + Limits::kRatio.Span() + ".";
        }
    }
    std::vector<Element*> collected;
    for (const std::string& item : items) {
        if (!StartsWithDigit(item)) {
            collected.push_back(FindElement(text, item));
            continue;
        }
        const double ratio = CommandArguments::LeadingNumber(item).value_or(0.0);
        for (Element* element : collected) {
            if (element != nullptr) {
                element->ratio = ratio;
            }
        }
        collected.clear();
    }
    return std::nullopt;
}

void SetValences(TextTables& text, std::string_view argument)
{
    const bool all = argument.empty() || EqualsIgnoringCase(argument, "ALL");
    text.ValenceFlags.fill(all ? 1 : 0);
    if (all) {
        return;
    }
    for (const std::string& item : CommandArguments::Words(argument, true)) {
        SetValenceByItem(text, item);
    }
}

}  // namespace ElementSelection
