#include "analysis/OverlayFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <optional>
#include <string_view>

namespace {

// A finite number that is the whole token, as a stream reads one (a leading '+' allowed).
std::optional<double> ParseNumber(const std::string& token)
{
    const char* begin = token.data();
    const char* end = begin + token.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    double value = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

// Opened without waiting: the open of a FIFO that no program writes would block for ever,
// whereas reading it then simply finds its end.
OverlayFile::Result OverlayFile::Read(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {Status::CannotOpen, {}};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    __gnu_cxx::stdio_filebuf<char> file(fd, std::ios::in);  // closes the descriptor
    std::istream in(&file);
    return Parse(in);
}

namespace {

enum class LineRead { Line, End, TooLong };

// One line without its end, at most `longest` characters; a device that never sends a line end
// is refused rather than read until memory runs out.
LineRead ReadLine(std::streambuf& in, std::string& line, size_t longest)
{
    line.clear();
    for (int c = in.sbumpc(); c != std::char_traits<char>::eof(); c = in.sbumpc()) {
        if (c == '\n') {
            return LineRead::Line;
        }
        if (line.size() == longest) {
            return LineRead::TooLong;
        }
        line.push_back(static_cast<char>(c));
    }
    return line.empty() ? LineRead::End : LineRead::Line;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool IsSeparator(char c)
{
    return IsBlank(c) || c == ',' || c == ';';
}

// The numbers of a line, or none when a word is not a number. A line separates its numbers by
// blanks or by commas and semicolons (with blanks around them), not both: "4226,728 1500" has a
// decimal comma and is refused rather than read as three numbers.
std::optional<std::vector<double>> Numbers(std::string_view line)
{
    std::vector<double> numbers;
    bool byBlank = false;
    bool byMark = false;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t end = std::min(line.find_first_not_of(" \t\r,;", pos), line.size());
        const std::string_view separator = line.substr(pos, end - pos);
        const bool mark = separator.find_first_of(",;") != std::string_view::npos;
        if (!numbers.empty() && end < line.size()) {
            (mark ? byMark : byBlank) = true;
        }
        pos = end;
        size_t stop = pos;
        while (stop < line.size() && !IsSeparator(line[stop])) {
            ++stop;
        }
        if (stop == pos) {
            break;
        }
        const std::string token(line.substr(pos, stop - pos));
        const std::optional<double> number =
            token.size() <= OverlayFile::kLongestNumber ? ParseNumber(token) : std::nullopt;
        if (!number) {
            return std::nullopt;
        }
        numbers.push_back(*number);
        pos = stop;
    }
    if (byBlank && byMark) {
        return std::nullopt;
    }
    return numbers;
}

// A line that starts as a number does (a digit, a sign or a point) holds data, good or bad.
bool StartsWithNumber(std::string_view line)
{
    const size_t start = line.find_first_not_of(" \t\r");
    return start != std::string_view::npos &&
           (std::isdigit(static_cast<unsigned char>(line[start])) != 0 ||
            std::string_view("+-.").find(line[start]) != std::string_view::npos);
}

bool IsEmptyLine(std::string_view line)
{
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

// Read whole, then sorted once: a million points load in well under a second.
OverlayFile::Result OverlayFile::Parse(std::istream& in)
{
    Result result;
    OverlayData point;
    bool haveWavelength = false;
    std::string line;
    std::streambuf& buffer = *in.rdbuf();
    while (true) {
        const LineRead read = ReadLine(buffer, line, kLongestLine);
        if (read == LineRead::End) {
            break;
        }
        if (read == LineRead::TooLong) {
            return {Status::BadContent, {}};
        }
        if (result.points.empty() && !haveWavelength && !IsEmptyLine(line) &&
            !StartsWithNumber(line)) {
            // Column titles and the like before the first pair are skipped, and counted.
            if (++result.headerLines > kMostHeaderLines) {
                return {Status::BadContent, {}};
            }
            continue;
        }
        const std::optional<std::vector<double>> numbers = Numbers(line);
        if (!numbers) {
            return {Status::BadContent, {}};
        }
        for (const double number : *numbers) {
            if (result.points.size() >= kMostPoints) {
                return {Status::BadContent, {}};
            }
            if (haveWavelength) {
                point.value = number;
                result.points.push_back(point);
            } else {
                point.wavelength = number;
            }
            haveWavelength = !haveWavelength;
        }
    }
    std::stable_sort(
        result.points.begin(), result.points.end(),
        [](const OverlayData& a, const OverlayData& b) { return a.wavelength < b.wavelength; });
    return result;
}
