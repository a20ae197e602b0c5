#include "graph/OverlayFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <iomanip>
#include <optional>

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

// Read whole, then sorted once: a million points load in well under a second.
OverlayFile::Result OverlayFile::Parse(std::istream& in)
{
    Result result;
    OverlayData point;
    bool haveWavelength = false;
    std::string token;
    // A token as long as the limit cannot be a number; reading it whole could take all memory
    // (a device such as /dev/zero is one endless token).
    while (in >> std::setw(kLongestNumber + 1) >> token) {
        const std::optional<double> number =
            token.size() <= kLongestNumber ? ParseNumber(token) : std::nullopt;
        if (!number || result.points.size() >= kMostPoints) {
            return {Status::BadContent, {}};
        }
        if (haveWavelength) {
            point.value = *number;
            result.points.push_back(point);
        } else {
            point.wavelength = *number;
        }
        haveWavelength = !haveWavelength;
    }
    if (in.bad()) {
        return {Status::BadContent, {}};
    }
    std::stable_sort(
        result.points.begin(), result.points.end(),
        [](const OverlayData& a, const OverlayData& b) { return a.wavelength < b.wavelength; });
    return result;
}
