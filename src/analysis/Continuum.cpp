#include "analysis/Continuum.h"

#include <algorithm>
#include <cmath>

std::vector<double> Continuum::Estimate(const std::vector<double>& wavelength,
                                        const std::vector<double>& value, double window,
                                        double fraction)
{
    const size_t n = std::min(wavelength.size(), value.size());
    if (n < 2 || !(window > 0.0)) {
        return {value.begin(), value.begin() + static_cast<std::ptrdiff_t>(n)};
    }
    const double spacing = (wavelength[n - 1] - wavelength[0]) / static_cast<double>(n - 1);
    const double perWindow = spacing > 0.0 ? window / spacing : static_cast<double>(n);
    const size_t step = static_cast<size_t>(
        std::clamp(perWindow / kKnotsPerWindow, 1.0, static_cast<double>(n - 1)));
    std::vector<size_t> knots;
    for (size_t i = 0; i < n - 1; i += step) {
        knots.push_back(i);
    }
    knots.push_back(n - 1);

    std::vector<double> scratch;
    std::vector<double> levels(knots.size());
    for (size_t k = 0; k < knots.size(); ++k) {
        levels[k] = Percentile(wavelength, value, knots[k], window, fraction, scratch);
    }

    std::vector<double> continuum(n);
    for (size_t k = 0; k + 1 < knots.size(); ++k) {
        const size_t a = knots[k];
        const size_t b = knots[k + 1];
        const double span = wavelength[b] - wavelength[a];
        for (size_t i = a; i < b; ++i) {
            const double t = span > 0.0 ? (wavelength[i] - wavelength[a]) / span : 0.0;
            continuum[i] = levels[k] + t * (levels[k + 1] - levels[k]);
        }
    }
    continuum[n - 1] = levels.back();
    return continuum;
}

double Continuum::Percentile(const std::vector<double>& wavelength,
                             const std::vector<double>& value, size_t centre, double window,
                             double fraction, std::vector<double>& scratch)
{
    const auto first =
        std::lower_bound(wavelength.begin(), wavelength.end(), wavelength[centre] - window / 2.0);
    const auto last = std::upper_bound(first, wavelength.end(), wavelength[centre] + window / 2.0);
    scratch.assign(value.begin() + (first - wavelength.begin()),
                   value.begin() + (last - wavelength.begin()));
    const double rank = std::clamp(fraction, 0.0, 1.0) * static_cast<double>(scratch.size() - 1);
    const auto nth = scratch.begin() + static_cast<std::ptrdiff_t>(std::lround(rank));
    std::nth_element(scratch.begin(), nth, scratch.end());
    return *nth;
}
