#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ElementFacts;
class TextTables;

// Changes of the element selection, ratios and valence flags that the typed commands make.
// An element is named by its symbol in the table or by its English name in the element facts
// ("IRON" for Fe), in any case. A word that names nothing is refused with a warning naming it,
// and nothing changes. None of these rebuilds the display list: the caller does once it has
// made all its changes.
namespace ElementSelection {

enum class Change { Select, Deselect, Invert, Only };

// The symbol, as the table spells it, of the element that `word` names; empty when none.
std::optional<std::string> SymbolOf(const TextTables& text, const ElementFacts& facts,
                                    std::string_view word);

// Every element whose symbol equals a listed one is changed (not only the first); Only selects
// the listed and deselects the others. The warning when a word names no element.
std::optional<std::string> ChangeListed(TextTables& text, const ElementFacts& facts,
                                        const std::vector<std::string>& words, Change change);
void SetAll(TextTables& text, bool selected);

// Items in order: names collect until a value (an item starting with a digit) gives each
// collected name's first element that ratio. Names after the last value are ignored. When a
// value is not a ratio from 0 to 1000, or a name no element, the warning text is returned.
std::optional<std::string> AssignRatios(TextTables& text, const ElementFacts& facts,
                                        const std::vector<std::string>& items);

// Empty or "ALL": every valence flag set. Otherwise only those listed: an index 0 to 25 for an
// item without letters, else the valence of that name. Indexes outside are ignored; a name of
// no valence is refused with the warning returned.
std::optional<std::string> SetValences(TextTables& text, std::string_view argument);

}  // namespace ElementSelection
