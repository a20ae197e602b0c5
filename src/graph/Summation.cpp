#include "graph/Summation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kSmallest = 0.01;
constexpr double kBase = 2.718;  // the literal base of the profile, not e
constexpr double kHighest = 32766.0;

double AtLeastSmallest(double value)
{
    return std::isfinite(value) ? std::max(value, kSmallest) : kSmallest;
}

}  // namespace

void Summation::Setup(int width, double range, double lineWidth)
{
    m_range = AtLeastSmallest(range);
    m_lineWidth = AtLeastSmallest(lineWidth);
    const int count = width >= 2 ? width / 2 : 0;
    m_samples.assign(static_cast<std::size_t>(count), kFloor);
    m_samplesPerUnit = count > 0 ? count / m_range : 0.0;
    m_unitsPerSample = count > 0 ? 1.0 / m_samplesPerUnit : 1.0;
}

void Summation::Restart()
{
    std::fill(m_samples.begin(), m_samples.end(), kFloor);
}

int Summation::Reach() const
{
    return m_range > 25.0 ? 1 : 2;
}

double Summation::ReachAngstrom() const
{
    return Reach() * m_lineWidth;
}

double Summation::Power(double distance) const
{
    const double scaled = 3.5 * distance / m_lineWidth;
    if (Reach() == 1) {
        // A line nearer than about half a spacing counts as on the sample, so a narrow line
        // between two samples is not lost.
        return distance < m_unitsPerSample / 2.1 ? 0.0 : scaled * scaled;
    }
    return std::pow(scaled, 2.0 - distance / (m_lineWidth + distance));
}

void Summation::Add(double intensity, double wavelength)
{
    if (m_samples.empty() || !(intensity > 0.0) || !std::isfinite(intensity) ||
        !std::isfinite(wavelength)) {
        return;
    }
    // Positions in sample units: a line on a sample point stays exactly on it, and the ends
    // are clamped while still floating point, so a far line cannot overflow an integer.
    const double centre = (wavelength - m_origin) * m_samplesPerUnit;
    const double reach = ReachAngstrom() * m_samplesPerUnit;
    const double first = std::trunc(centre - reach);
    const double last = std::trunc(centre + reach);
    const double lastSample = static_cast<double>(m_samples.size() - 1);
    if (!(last >= 0.0) || !(first <= lastSample)) {
        return;
    }
    const auto jFirst = static_cast<std::size_t>(std::max(first, 0.0));
    const auto jLast = static_cast<std::size_t>(std::min(last, lastSample));
    constexpr double kMost = std::numeric_limits<double>::max();
    for (std::size_t j = jFirst; j <= jLast; ++j) {
        const double distance = std::abs(centre - static_cast<double>(j)) * m_unitsPerSample;
        // An overflowing power gives infinity, and the contribution 0.
        const double added = intensity / std::pow(kBase, Power(distance));
        m_samples[j] = std::min(m_samples[j] + added, kMost);
    }
}

int Summation::SampleHeight(double sample, int plotHeight, double linearHeight)
{
    if (!std::isfinite(sample) || !std::isfinite(linearHeight) || !(linearHeight > 0.0)) {
        return 0;
    }
    const double height = plotHeight * sample / linearHeight;
    if (!(height > 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(height, kHighest));
}
