#include "tools/IntensityField.h"

#include "tools/CellText.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The length of a plain decimal number (digits with at most one point) at the start of `text`,
// 0 when there is none. No exponent: "10E" is ten with the flag E (broadened by overexposure).
size_t NumberLength(std::string_view text)
{
    size_t length = 0;
    size_t digits = 0;
    bool point = false;
    for (; length < text.size(); ++length) {
        const char c = text[length];
        if (IsDigit(c)) {
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return digits > 0 ? length : 0;
}

}  // namespace

IntensityField IntensityField::Parse(std::string_view text)
{
    const std::string field = NormaliseText(text);
    const size_t length = NumberLength(field);
    IntensityField result;
    if (length == 0) {
        result.flags = field;
        return result;
    }
    double value = 0.0;
    std::from_chars(field.data(), field.data() + length, value);
    result.code = CodeOf(value);
    result.flags = NormaliseText(std::string_view(field).substr(length));
    return result;
}

uint8_t IntensityField::CodeOf(double intensity)
{
    if (!(intensity > 1.0)) {
        return 0;
    }
    const double code = std::round(10.0 * std::log10(intensity));
    return static_cast<uint8_t>(std::fmin(code, 255.0));
}
