#include "graph/Summation.h"

#include "framework/Limits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kSmallest = Limits::kLineWidth.Min();
constexpr double kBase = 2.718;  // the literal base of the profile, not e
constexpr double kHighest = 32766.0;

double AtLeastSmallest(double value)
{
    return std::isfinite(value) ? std::max(value, kSmallest) : kSmallest;
}

// The profile 1 / 2.718^p as a function of the distance in line widths, u = d / w, which is
// all it depends on: p = (3.5 u)^2 for wide plots, (3.5 u)^(2 - u / (1 + u)) for narrow ones.
// Tabulated finely and interpolated, it stays within 1e-7 of the formula and spares two pow
// calls per sample, which were most of a drawing pass.
class ProfileTable {
public:
    ProfileTable(int reach) : m_limit(reach), m_step(static_cast<double>(reach) / kSteps)
    {
        m_values.reserve(kSteps + 2);
        for (int i = 0; i <= kSteps + 1; ++i) {
            m_values.push_back(Profile(i * m_step, reach));
        }
    }

    static double Profile(double u, int reach)
    {
        const double scaled = 3.5 * u;
        const double power = reach == 1 ? scaled * scaled : std::pow(scaled, 2.0 - u / (1.0 + u));
        return 1.0 / std::pow(kBase, power);  // an overflowing power gives 0
    }

    double operator()(double u) const
    {
        const double position = std::min(u, m_limit) / m_step;
        const auto index = static_cast<std::size_t>(position);
        const double fraction = position - static_cast<double>(index);
        return m_values[index] + fraction * (m_values[index + 1] - m_values[index]);
    }

private:
    static constexpr int kSteps = 16384;

    double m_limit;
    double m_step;
    std::vector<double> m_values;
};

const ProfileTable& Profiles(int reach)
{
    static const ProfileTable wide(1);
    static const ProfileTable narrow(2);
    return reach == 1 ? wide : narrow;
}

}  // namespace

void Summation::Setup(int width, double range, double lineWidth)
{
    m_range = AtLeastSmallest(range);
    m_lineWidth = AtLeastSmallest(lineWidth);
    const int count = width >= 2 ? width / 2 : 0;
    m_samples.assign(static_cast<std::size_t>(count), Floor());
    m_samplesPerUnit = count > 0 ? count / m_range : 0.0;
    m_unitsPerSample = count > 0 ? 1.0 / m_samplesPerUnit : 1.0;
}

void Summation::SetSpectrum(const SpectrumSettings& spectrum)
{
    if (spectrum.shape == LineShape::Standard) {
        m_profile.reset();
    } else {
        m_profile.emplace(spectrum);
    }
    Restart();
}

void Summation::Restart()
{
    std::fill(m_samples.begin(), m_samples.end(), Floor());
}

int Summation::Reach() const
{
    return m_range > 25.0 ? 1 : 2;
}

double Summation::ReachAngstrom(double wavelength) const
{
    return m_profile ? m_profile->Reach(wavelength) : Reach() * m_lineWidth;
}

double Summation::ExactProfile(double distance, double lineWidth, bool wide)
{
    return ProfileTable::Profile(distance / lineWidth, wide ? 1 : 2);
}

void Summation::Add(double intensity, double wavelength)
{
    if (m_samples.empty() || !(intensity > 0.0) || !std::isfinite(intensity) ||
        !std::isfinite(wavelength)) {
        return;
    }
    if (m_profile) {
        return m_profile->Add(m_samples, m_origin, m_unitsPerSample, wavelength, intensity);
    }
    // Positions in sample units: a line on a sample point stays exactly on it, and the ends
    // are clamped while still floating point, so a far line cannot overflow an integer.
    const double centre = (wavelength - m_origin) * m_samplesPerUnit;
    const double reach = ReachAngstrom(wavelength) * m_samplesPerUnit;
    const double first = std::trunc(centre - reach);
    const double last = std::trunc(centre + reach);
    const double lastSample = static_cast<double>(m_samples.size() - 1);
    if (!(last >= 0.0) || !(first <= lastSample)) {
        return;
    }
    const auto jFirst = static_cast<std::size_t>(std::max(first, 0.0));
    const auto jLast = static_cast<std::size_t>(std::min(last, lastSample));
    constexpr double kMost = std::numeric_limits<double>::max();
    // The profile in line widths per sample, with the table looked up once per line.
    const ProfileTable& profile = Profiles(Reach());
    const double widthsPerSample = m_unitsPerSample / m_lineWidth;
    const double snap = Reach() == 1 ? 1.0 / (2.1 * m_lineWidth / m_unitsPerSample) : -1.0;
    for (std::size_t j = jFirst; j <= jLast; ++j) {
        const double u = std::abs(centre - static_cast<double>(j)) * widthsPerSample;
        const double share = u < snap ? 1.0 : profile(u);
        m_samples[j] = std::min(m_samples[j] + intensity * share, kMost);
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
