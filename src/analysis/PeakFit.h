#pragma once

#include <cstddef>
#include <vector>

// One peak's shape from the samples of its core: the points above half its top, with at least
// the top and its two neighbours. A Gaussian when they are all positive (a parabola through
// their logarithms, weighted by the value squared since the noise on log y is σ / y), a plain
// parabola otherwise. A fit that does not curve down, or puts the centre outside its points,
// falls back to the top sample itself.
class PeakFit {
public:
    // `above` is the signal above the continuum; `top` a local maximum inside the spectrum; the
    // core may reach from `first` to `last` (inclusive), the points halfway to the neighbouring
    // peaks.
    PeakFit(const std::vector<double>& wavelength, const std::vector<double>& above, size_t top,
            size_t first, size_t last);

    double Centre() const { return m_centre; }
    double Height() const { return m_height; }
    // Full width at half the fitted height, between the interpolated crossings; twice the
    // distance to one crossing when the other lies beyond the core; from the Gaussian's
    // curvature when neither is found; 0 when nothing gives it.
    double Width() const { return m_width; }
    // The mean sample spacing over the fitted points, in Å.
    double Spacing() const { return m_spacing; }

private:
    void FitCore(size_t from, size_t to);
    double Crossing(double level, int direction, bool& found) const;

    const std::vector<double>& m_wavelength;
    const std::vector<double>& m_above;
    size_t m_top;
    size_t m_first;
    size_t m_last;
    double m_centre;
    double m_height;
    double m_width = 0.0;
    double m_spacing = 0.0;
    double m_gaussianSigma = 0.0;  // Å; 0 when the fit is no Gaussian
};
