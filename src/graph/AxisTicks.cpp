#include "graph/AxisTicks.h"

#include "database/DisplaySettings.h"
#include "database/WavelengthFormat.h"
#include "framework/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// The round step (1, 2 or 5 times a power of ten) nearest above `span / most`.
double RoundStep(double span, int most)
{
    const double rough = span / std::max(most, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

// As many digits after the point as the step needs.
std::string Label(double value, double step)
{
    const int digits = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
    return FormatFixed(value, digits);
}

}  // namespace

namespace AxisTicks {

std::vector<AxisTick> Wavelength(double left, double right, const DisplaySettings& settings,
                                 int most)
{
    std::vector<AxisTick> ticks;
    const double shownLeft = DisplayValue(left, settings);
    const double shownRight = DisplayValue(right, settings);
    const double low = std::min(shownLeft, shownRight);
    const double high = std::max(shownLeft, shownRight);
    if (!(high > low) || !(right > left) || !std::isfinite(high - low)) {
        return ticks;
    }
    const double step = RoundStep(high - low, most);
    for (double value = std::ceil(low / step) * step; value <= high; value += step) {
        const auto stored = DisplayValueToWavelength(settings, value);
        if (stored) {
            // Positions from the stored wavelength: in wave numbers the axis is not linear.
            ticks.push_back({(*stored * 0.001 - left) / (right - left), Label(value, step)});
        }
    }
    std::sort(ticks.begin(), ticks.end(),
              [](const AxisTick& a, const AxisTick& b) { return a.position < b.position; });
    return ticks;
}

std::vector<AxisTick> Intensity(double top, bool linear, int most)
{
    std::vector<AxisTick> ticks;
    if (!(top > 0.0) || !std::isfinite(top)) {
        return ticks;
    }
    if (linear) {
        ticks = Linear(0.0, top, most);
        if (!ticks.empty() && ticks.front().position == 0.0) {
            ticks.erase(ticks.begin());  // the bottom edge needs no mark
        }
        return ticks;
    }
    // Decades crowd toward the bottom; the lowest that stand apart by 1/most of the axis show.
    for (int decade = static_cast<int>(std::floor(std::log10(top))); decade > -30; --decade) {
        const double position = std::pow(10.0, decade) / top;
        if (!ticks.empty() && ticks.back().position - position < 1.0 / std::max(most, 1)) {
            break;
        }
        ticks.push_back({position, std::to_string(decade)});
    }
    std::reverse(ticks.begin(), ticks.end());
    return ticks;
}

std::vector<AxisTick> Linear(double low, double high, int most)
{
    std::vector<AxisTick> ticks;
    if (!(high > low) || !std::isfinite(high - low)) {
        return ticks;
    }
    const double step = RoundStep(high - low, most);
    const double span = high - low;
    for (double value = std::ceil(low / step) * step; value <= high + span * 1e-12; value += step) {
        const double shown = std::abs(value) < step * 1e-9 ? 0.0 : value;  // no "-0"
        ticks.push_back({(shown - low) / span, Label(shown, step)});
    }
    return ticks;
}

}  // namespace AxisTicks
