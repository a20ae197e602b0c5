#include "command/CommandFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

// A carriage return counts as a blank: files from Windows editors carry them in odd places.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A "#" inside a word (a file name such as "run#2.txt") is kept.
std::string_view WithoutComment(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || IsBlank(line[i - 1]))) {
            return line.substr(0, i);
        }
    }
    return line;
}

}  // namespace

std::vector<CommandFile::Line> CommandFile::Parse(std::string_view text)
{
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        const std::string_view command = Trimmed(WithoutComment(raw));
        if (!command.empty()) {
            lines.push_back({number, std::string(command)});
        }
    }
    return lines;
}

std::optional<std::vector<CommandFile::Line>> CommandFile::Read(const std::string& path,
                                                                std::string* error)
{
    const auto fail = [&](const std::string& why) -> std::optional<std::vector<Line>> {
        if (error != nullptr) {
            *error = path + ": " + why;
        }
        return std::nullopt;
    };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return fail("is a folder");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return fail(std::strerror(errno));
    }
    // Read in pieces up to the limit: a pipe or a device gives no size beforehand.
    std::string text;
    char chunk[64 * 1024];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        text.append(chunk, static_cast<size_t>(file.gcount()));
        if (text.size() > kMaximumSize) {
            return fail("longer than any file of commands");
        }
    }
    if (file.bad()) {
        return fail("could not be read to the end");
    }
    return Parse(text);
}
