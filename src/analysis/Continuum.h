#pragma once

#include <cstddef>
#include <vector>

// The continuum under a spectrum's lines: a moving lower percentile of the values, which rides
// on the background between lines and ignores the lines themselves as long as they cover less
// than the rest of each window. Exact at knots a fraction of a window apart and linear between
// them, so that it costs O(n) rather than a sort per point.
class Continuum {
public:
    // Knots per window: enough that the continuum follows slopes and curves as wide as the
    // window, few enough that the percentiles cost about four passes over the values.
    static constexpr double kKnotsPerWindow = 4.0;

    // `wavelength` ascending; `window` the full width in Å; `fraction` the percentile as a
    // fraction in [0, 1] (0.2: the 20th). Near the ends the window is cut short. A window not
    // above 0 gives the values themselves.
    static std::vector<double> Estimate(const std::vector<double>& wavelength,
                                        const std::vector<double>& value, double window,
                                        double fraction);

private:
    static double Percentile(const std::vector<double>& wavelength,
                             const std::vector<double>& value, size_t centre, double window,
                             double fraction, std::vector<double>& scratch);
};
