#pragma once

#include "framework/SettingsStore.h"

#include <optional>
#include <string>
#include <string_view>

// The value lines of the registry export text: reading `"name"=data` and `@=data` lines and
// writing them back in the form regedit writes.
class RegistryText {
public:
    struct ParsedLine {
        std::string name;
        std::optional<SettingsStore::Value> value;  // empty: a valid value of a foreign type
    };

    // Blanks and tabs removed from both ends.
    static std::string_view Trim(std::string_view text);
    // Whether `line` continues a hex value whose previous line ended in a backslash.
    static bool IsContinuation(std::string_view line);
    // One logical value line (continuations joined); empty when it cannot be understood.
    static std::optional<ParsedLine> ParseValueLine(std::string_view line);
    // The line for a value, long hex data wrapped onto indented continuation lines.
    static std::string FormatValue(const std::string& name, const SettingsStore::Value& value);
};
