#include "framework/NumberFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kBufferSize = 400;  // enough for any double in fixed notation

std::string ToChars(double value, std::chars_format format, int precision)
{
    std::array<char, kBufferSize> buffer{};
    auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    if (result.ec != std::errc()) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

// %g keeps at least two exponent digits (1e+06); to_chars writes them the same way.
std::string GeneralWithTrailingZeros(double value, int significant)
{
    // Decide between fixed and scientific the way %g does, then format with exact digits.
    if (value == 0.0 || !std::isfinite(value)) {
        return ToChars(value, std::chars_format::fixed, significant - 1);
    }
    std::string scientific = ToChars(value, std::chars_format::scientific, significant - 1);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    if (exponent < -4 || exponent >= significant) {
        return scientific;
    }
    return ToChars(value, std::chars_format::fixed, significant - 1 - exponent);
}

}  // namespace

std::string FormatDefault(double value)
{
    return ToChars(value, std::chars_format::general, 6);
}

std::string FormatShortest(double value)
{
    std::array<char, kBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : std::string();
}

std::string FormatFixed(double value, int decimals)
{
    return ToChars(value, std::chars_format::fixed, std::max(decimals, 0));
}

std::string FormatFixedPoint(double value, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    if (std::isfinite(value) && text.find('.') == std::string::npos) {
        text += '.';
    }
    return text;
}

std::string FormatPointShown(double value, int significant)
{
    significant = std::max(significant, 1);
    std::string text = GeneralWithTrailingZeros(value, significant);
    if (!std::isfinite(value)) {
        return text;
    }
    const auto exponentAt = text.find('e');
    const auto mantissaEnd = exponentAt == std::string::npos ? text.size() : exponentAt;
    if (text.find('.') == std::string::npos) {
        text.insert(mantissaEnd, 1, '.');
    }
    return text;
}

double ParseLeadingDouble(const std::string& text)
{
    auto begin = std::find_if_not(text.begin(), text.end(),
                                  [](unsigned char c) { return std::isspace(c) != 0; });
    const char* first = text.data() + (begin - text.begin());
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    double value = 0.0;
    auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() ? value : 0.0;
}
