#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Helpers for the cells of line-list files: splitting rows, cleaning cell text, reading numbers.

// One cell of a row split on a separator, with its place on the line in characters (UTF-8 code
// points, so that a header containing "Å" lines up with the data rows below it).
struct PlacedCell {
    std::string text;  // as written, blanks kept
    size_t begin = 0;  // first character of the cell
    size_t end = 0;    // the separator after it, or the end of the line
};

// Walks the lines of a text without copying it. A line ends at '\n'; any '\r' before that is
// dropped, and a last line without one still counts.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_rest(text) {}

    // The next line; false at the end of the text.
    bool Next(std::string_view& line);

private:
    std::string_view m_rest;
};

// Splits a fixed-width row on `separator`, keeping where each cell lies.
std::vector<PlacedCell> SplitPlaced(std::string_view line, char separator);

// Splits a comma- or tab-separated row. Quoted cells ("a,b" with "" for a quote) and spreadsheet
// text cells (="a,b") may hold the separator; both lose their wrapping. Cells are not trimmed.
std::vector<std::string> SplitDelimited(std::string_view line, char separator);

// Trims blanks and tabs at both ends and turns every run of white space inside into one blank,
// so that the text survives a round trip through DESCRIPT or REFERENC unchanged.
std::string NormaliseText(std::string_view text);

// True when the text holds nothing but blanks and tabs.
bool IsBlank(std::string_view text);

// Reads a decimal number at the start of `text` after blanks and an opening '[' or '(' (NIST
// puts some values in brackets); whatever follows the number (markers such as "+", "*", "]") is
// ignored. Empty when the text does not start with a digit or a point and digit.
std::optional<double> ParseLeadingNumber(std::string_view text);
