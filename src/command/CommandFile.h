#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A file of typed commands, one a line: blank lines are skipped, and "#" at the start of a line
// or after a blank starts a comment. LF and CR LF line ends are both read.
class CommandFile {
public:
    struct Line {
        int number;        // counted from 1 in the file
        std::string text;  // without comment and surrounding blanks
        bool operator==(const Line&) const = default;
    };

    // Larger files are refused: no one types that many commands.
    static constexpr size_t kMaximumSize = 16u * 1024 * 1024;

    static std::vector<Line> Parse(std::string_view text);
    // Empty, with *error saying why, when the file cannot be read whole (a folder, too big).
    static std::optional<std::vector<Line>> Read(const std::string& path, std::string* error);
};
