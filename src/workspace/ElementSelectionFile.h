#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TextTables;

// An element selection file (".sef"): one line per selected element, in element-table order,
// "name ratio" with the ratio in as few digits as read back exactly (1, 0.5, 2.25), LF line
// ends. Unselected elements are left out, so an empty file selects nothing.
class ElementSelectionFile {
public:
    // Bigger files are refused unread: they cannot be selections, and reading one whole could
    // exhaust memory.
    static constexpr std::uintmax_t kMaximumSize = 16u * 1024 * 1024;

    static constexpr std::string_view kCannotAccess =
        "Could not access element file. No changes made.";
    static constexpr std::string_view kReadFailed = "Error reading file. Element selection reset.";

    // What a load did; the caller shows `warning` when it is not empty.
    struct LoadResult {
        bool loaded = true;    // false: nothing was taken from the file
        std::string warning;   // kCannotAccess or kReadFailed when not loaded; when loaded, the
                               // count of skipped lines if there were any
        int skippedLines = 0;  // lines of known elements skipped for their ratio
    };

    // Writes the selected elements of `text.ElementTable` to `path`, replacing the file
    // atomically. The folder must exist. False with a message in `error` (when given) when the
    // file cannot be written; an existing file is then left as it was.
    static bool Save(const std::string& path, const TextTables& text, std::string* error);

    // Selects the elements listed in `path` and deselects all others; unselected elements keep
    // their ratios. Accepts LF and CR LF line ends. Lines without a blank and names not in the
    // table are skipped (names match exactly, case included). A ratio text that is not a number
    // reads as 0; one that starts with a number outside Limits::kRatio (negative, too big,
    // NaN, infinite) skips its line, leaving the element's ratio, and is counted in
    // `skippedLines` and `warning`, the load still succeeding. A file that cannot be opened or
    // is too big changes nothing (kCannotAccess); a read error part-way selects every element
    // with ratio 1 (kReadFailed).
    static LoadResult Load(const std::string& path, TextTables& text);
};
