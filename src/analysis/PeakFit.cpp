#include "analysis/PeakFit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFwhmPerSigma = 2.3548200450309493;  // 2 sqrt(2 ln 2)

double Determinant(double a, double b, double c, double d, double e, double f, double g, double h,
                   double i)
{
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

}  // namespace

PeakFit::PeakFit(const std::vector<double>& wavelength, const std::vector<double>& above,
                 size_t top, size_t first, size_t last)
    : m_wavelength(wavelength),
      m_above(above),
      m_top(top),
      m_first(first),
      m_last(last),
      m_centre(wavelength[top]),
      m_height(above[top])
{
    const double half = above[top] / 2.0;
    size_t from = top;
    while (from > first && above[from - 1] > half) {
        --from;
    }
    size_t to = top;
    while (to < last && above[to + 1] > half) {
        ++to;
    }
    from = std::max(first, std::min(from, top - 1));
    to = std::min(last, std::max(to, top + 1));
    if (to > from) {
        m_spacing = (wavelength[to] - wavelength[from]) / static_cast<double>(to - from);
    }
    if (to >= from + 2 && m_spacing > 0.0) {
        FitCore(from, to);
    }

    bool leftFound = false;
    bool rightFound = false;
    const double left = Crossing(m_height / 2.0, -1, leftFound);
    const double right = Crossing(m_height / 2.0, +1, rightFound);
    if (leftFound && rightFound) {
        m_width = right - left;
    } else if (leftFound || rightFound) {
        m_width = 2.0 * std::abs((leftFound ? left : right) - m_centre);
    } else {
        m_width = kFwhmPerSigma * m_gaussianSigma;
    }
}

void PeakFit::FitCore(size_t from, size_t to)
{
    bool positive = true;
    for (size_t j = from; j <= to; ++j) {
        positive = positive && m_above[j] > 0.0;
    }
    // Offsets in sample spacings keep the normal equations well conditioned.
    double s[5] = {};
    double t[3] = {};
    for (size_t j = from; j <= to; ++j) {
        const double u = (m_wavelength[j] - m_wavelength[m_top]) / m_spacing;
        const double y = positive ? std::log(m_above[j]) : m_above[j];
        const double w = positive ? m_above[j] * m_above[j] : 1.0;
        double power = w;
        for (int k = 0; k < 5; ++k) {
            s[k] += power;
            if (k < 3) {
                t[k] += power * y;
            }
            power *= u;
        }
    }
    // q(u) = a u² + b u + c by Cramer's rule.
    const double det = Determinant(s[4], s[3], s[2], s[3], s[2], s[1], s[2], s[1], s[0]);
    if (!(std::abs(det) > 0.0)) {
        return;
    }
    const double a = Determinant(t[2], s[3], s[2], t[1], s[2], s[1], t[0], s[1], s[0]) / det;
    const double b = Determinant(s[4], t[2], s[2], s[3], t[1], s[1], s[2], t[0], s[0]) / det;
    const double c = Determinant(s[4], s[3], t[2], s[3], s[2], t[1], s[2], s[1], t[0]) / det;
    const double vertex = -b / (2.0 * a);
    const double low = (m_wavelength[from] - m_wavelength[m_top]) / m_spacing;
    const double high = (m_wavelength[to] - m_wavelength[m_top]) / m_spacing;
    if (!(a < 0.0) || !(vertex >= low && vertex <= high)) {
        return;
    }
    const double peak = c - b * b / (4.0 * a);
    m_centre = m_wavelength[m_top] + vertex * m_spacing;
    m_height = positive ? std::exp(peak) : peak;
    if (positive) {
        m_gaussianSigma = std::sqrt(-1.0 / (2.0 * a)) * m_spacing;
    }
}

// Where the signal first falls below `level` walking from the top, interpolated between samples.
double PeakFit::Crossing(double level, int direction, bool& found) const
{
    size_t j = m_top;
    const size_t end = direction < 0 ? m_first : m_last;
    while (j != end && m_above[j] >= level) {
        j = direction < 0 ? j - 1 : j + 1;
    }
    found = j != m_top && m_above[j] < level;
    if (!found) {
        return 0.0;
    }
    const size_t inner = direction < 0 ? j + 1 : j - 1;
    const double fraction = (level - m_above[j]) / (m_above[inner] - m_above[j]);
    return m_wavelength[j] + fraction * (m_wavelength[inner] - m_wavelength[j]);
}
