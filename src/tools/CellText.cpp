#include "tools/CellText.h"

#include <cctype>
#include <charconv>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// UTF-8 continuation bytes do not start a character.
bool StartsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// Reads one cell starting at `pos`, leaving `pos` on the separator or at the end.
std::string ReadDelimitedCell(std::string_view line, char separator, size_t& pos)
{
    std::string cell;
    const bool formula = line.substr(pos, 2) == "=\"";
    if (formula) {
        ++pos;
    }
    if (pos < line.size() && line[pos] == '"') {
        ++pos;
        while (pos < line.size()) {
            if (line[pos] == '"') {
                if (pos + 1 < line.size() && line[pos + 1] == '"') {
                    cell += '"';
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            cell += line[pos++];
        }
    } else if (formula) {
        cell += '=';
    }
    while (pos < line.size() && line[pos] != separator) {
        cell += line[pos++];
    }
    // A spreadsheet text cell that was quoted once more: "=""a""" reads as ="a" so far.
    if (cell.size() >= 3 && cell.compare(0, 2, "=\"") == 0 && cell.back() == '"') {
        cell = cell.substr(2, cell.size() - 3);
    }
    return cell;
}

}  // namespace

bool LineCursor::Next(std::string_view& line)
{
    if (m_rest.empty()) {
        return false;
    }
    const size_t end = m_rest.find('\n');
    line = m_rest.substr(0, end);
    while (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
    return true;
}

std::vector<PlacedCell> SplitPlaced(std::string_view line, char separator)
{
    std::vector<PlacedCell> cells(1);
    size_t column = 0;
    for (const char c : line) {
        if (c == separator) {
            cells.back().end = column;
            cells.push_back(PlacedCell{std::string(), column + 1, column + 1});
        } else {
            cells.back().text += c;
        }
        column += StartsCharacter(c) ? 1 : 0;
    }
    cells.back().end = column;
    return cells;
}

std::vector<std::string> SplitDelimited(std::string_view line, char separator)
{
    std::vector<std::string> cells;
    size_t pos = 0;
    while (true) {
        cells.push_back(ReadDelimitedCell(line, separator, pos));
        if (pos >= line.size()) {
            return cells;
        }
        ++pos;  // the separator
    }
}

std::string NormaliseText(std::string_view text)
{
    std::string result;
    bool pendingBlank = false;
    for (const char c : text) {
        if (IsSpace(c)) {
            pendingBlank = !result.empty();
            continue;
        }
        if (pendingBlank) {
            result += ' ';
            pendingBlank = false;
        }
        result += c;
    }
    return result;
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::optional<double> ParseLeadingNumber(std::string_view text)
{
    size_t pos = text.find_first_not_of(" \t");
    if (pos != std::string_view::npos && (text[pos] == '[' || text[pos] == '(')) {
        ++pos;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }
    const bool digitFirst = IsDigit(text[pos]);
    const bool pointFirst = text[pos] == '.' && pos + 1 < text.size() && IsDigit(text[pos + 1]);
    if (!digitFirst && !pointFirst) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* begin = text.data() + pos;
    const auto result = std::from_chars(begin, text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}
