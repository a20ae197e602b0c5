#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TextTables;

// Changes of the element selection, ratios and valence flags that the typed commands make.
// Names compare without regard to case; names that match nothing are ignored. None of these
// rebuilds the display list: the caller does once it has made all its changes.
namespace ElementSelection {

enum class Change { Select, Deselect, Invert };

// Every element whose name equals a listed name is changed (not only the first).
void ChangeListed(TextTables& text, const std::vector<std::string>& names, Change change);
void SetAll(TextTables& text, bool selected);

// Items in order: names collect until a value (an item starting with a digit) gives each
// collected name's first element that ratio. Names after the last value are ignored. When a
// value is not a ratio from 0 to 1000 nothing changes and the warning text is returned.
std::optional<std::string> AssignRatios(TextTables& text, const std::vector<std::string>& items);

// Empty or "ALL": every valence flag set. Otherwise only those listed: an index 0 to 25 for an
// item without letters, else the first valence of that name. Indexes outside are ignored.
void SetValences(TextTables& text, std::string_view argument);

}  // namespace ElementSelection
