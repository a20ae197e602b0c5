#include "database/IntensityFormat.h"

#include "database/DisplayWaveData.h"
#include "database/WavetableFile.h"
#include "framework/NumberFormat.h"

#include <cmath>

double LinearIntensity(int code)
{
    if (code == 0) {
        return 0.0;
    }
    return std::trunc(std::pow(10.0, 0.1 * code) + 0.5);
}

double LogIntensity(int code)
{
    return 0.1 * code;
}

double IntensityValue(const DisplayWaveData& line, bool linear, bool useRatio, bool useScale)
{
    const double scale = useScale && line.table != nullptr ? line.table->Scale() : 1.0;
    const double ratio = useRatio ? line.ratio : 1.0;
    const int code = static_cast<int>(line.intensity);
    return scale * ratio * (linear ? LinearIntensity(code) : LogIntensity(code));
}

std::string FormatIntensity(const DisplayWaveData& line, bool linear, bool useRatio, bool useScale)
{
    const double value = IntensityValue(line, linear, useRatio, useScale);
    if (!linear) {
        return value == 0.0 ? "   .   " : FormatFixedPoint(value, 1);
    }
    if (value == 0.0) {
        return "    .  ";
    }
    // Two significant digits: the digits after the second become zeros.
    std::string text = FormatFixed(std::trunc(value), 0);
    const size_t keep = text[0] == '-' ? 3 : 2;
    for (size_t i = keep; i < text.size(); ++i) {
        text[i] = '0';
    }
    return text;
}

std::string MinimumIntensityText(double code, bool linear)
{
    // A typed whole number n is stored as the code of n - 0.5, which comes back from pow as
    // n - 0.5 or just below it; a nudge far below the shown precision rounds it up to n again.
    constexpr double kNudge = 1.0 + 1e-9;
    const double shown =
        linear ? (code == 0.0 ? 0.0 : std::round(std::pow(10.0, code * 0.1) * kNudge))
               : code * 0.1;
    return FormatFixedPoint(shown, 1);
}

double DisplayValueToIntensity(double value, bool linear, double ratio)
{
    if (ratio != 1.0) {
        value = ratio == 0.0 ? 0.0 : value / ratio;
    }
    double code = 0.0;
    if (!linear) {
        code = 10.0 * value;
    } else if (value != 0.0) {
        code = std::log(value - 0.5) * 4.342944819;
    }
    return std::isnan(code) || code < 0.0 ? 0.0 : code;
}
