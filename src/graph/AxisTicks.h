#pragma once

#include <string>
#include <vector>

struct DisplaySettings;

// The marks along the graph's axes, at round numbers of the units the list shows: 1, 2 or 5
// times a power of ten apart.
struct AxisTick {
    double position = 0.0;  // along the axis: 0 at its start (left, bottom), 1 at its end
    std::string label;

    bool operator==(const AxisTick&) const = default;
};

namespace AxisTicks {

// Along the bottom, from `left` to `right` (stored Å), in the units of `settings`; at most
// `most` of them.
std::vector<AxisTick> Wavelength(double left, double right, const DisplaySettings& settings,
                                 int most);

// Up the left side, from 0 to `top` (a linear intensity, the graph's height). On the linear
// scale round intensities; on the logarithmic one the decades, labelled by their log10 as the
// list shows intensities, as far down as fit.
std::vector<AxisTick> Intensity(double top, bool linear, int most);

// Round values from `low` to `high`, for a scale of its own such as a measured spectrum's.
std::vector<AxisTick> Linear(double low, double high, int most);

}  // namespace AxisTicks
