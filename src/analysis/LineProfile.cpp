#include "analysis/LineProfile.h"

#include <algorithm>
#include <cmath>

extern "C" {
// libcerf: the Voigt profile, the convolution of a Gaussian of standard deviation `sigma` and a
// Lorentzian of half width `gamma`, normalised to unit area. Declared here because its header
// brings in C99 complex numbers, which C++ does not have.
double voigt(double x, double sigma, double gamma);
}

namespace {

constexpr double kGaussianReach = 4.0;     // FWHM
constexpr double kLorentzianReach = 16.0;  // FWHM
constexpr double kLn2 = 0.69314718055994531;
constexpr int kTableSteps = 4096;
constexpr double kRatioStep = 1.002;
constexpr std::size_t kMostTables = 64;

double LargerThanZero(double width)
{
    return std::max(width, 1e-9);
}

// The nearest sample index to a position, clamped while still floating point.
double SampleIndex(double position, double origin, double step)
{
    return (position - origin) / step;
}

}  // namespace

LineProfile::LineProfile(const SpectrumSettings& settings) : m_settings(settings) {}

double LineProfile::VoigtFwhm(double gaussian, double lorentzian)
{
    return 0.5346 * lorentzian + std::sqrt(0.2166 * lorentzian * lorentzian + gaussian * gaussian);
}

double LineProfile::Reach(double wavelength) const
{
    const double width = LargerThanZero(m_settings.FwhmAt(wavelength));
    switch (m_settings.shape) {
        case LineShape::Lorentzian:
            return kLorentzianReach * width;
        case LineShape::Voigt:
            return kGaussianReach * width + kLorentzianReach * m_settings.lorentzianFwhm;
        default:
            return kGaussianReach * width;
    }
}

LineProfile::Span LineProfile::Samples(std::size_t count, double origin, double step, double centre,
                                       double reach)
{
    const double first = std::ceil(SampleIndex(centre - reach, origin, step));
    const double last = std::floor(SampleIndex(centre + reach, origin, step));
    const double lastSample = static_cast<double>(count) - 1.0;
    if (count == 0 || !(last >= 0.0) || !(first <= lastSample)) {
        return {1, 0};
    }
    return {static_cast<std::size_t>(std::max(first, 0.0)),
            static_cast<std::size_t>(std::min(last, lastSample))};
}

void LineProfile::Add(std::vector<double>& samples, double origin, double step, double centre,
                      double intensity) const
{
    if (!(intensity > 0.0) || !std::isfinite(intensity) || !std::isfinite(centre) ||
        !(step > 0.0)) {
        return;
    }
    const double width = LargerThanZero(m_settings.FwhmAt(centre));
    switch (m_settings.shape) {
        case LineShape::Lorentzian:
            return AddLorentzian(samples, origin, step, centre, intensity, width);
        case LineShape::Voigt:
            return AddVoigt(samples, origin, step, centre, intensity, width);
        default:
            return AddGaussian(samples, origin, step, centre, intensity, width);
    }
}

// exp(−a·d²) on evenly spaced samples by two running products instead of an exp each: from one
// sample to the next the value is multiplied by a factor that itself changes by a constant one.
void LineProfile::AddGaussian(std::vector<double>& samples, double origin, double step,
                              double centre, double intensity, double fwhm) const
{
    const Span span = Samples(samples.size(), origin, step, centre, kGaussianReach * fwhm);
    if (span.first > span.last) {
        return;
    }
    const double a = 4.0 * kLn2 / (fwhm * fwhm);
    const double d = origin + static_cast<double>(span.first) * step - centre;
    double value = intensity * std::exp(-a * d * d);
    double factor = std::exp(-a * (2.0 * d * step + step * step));
    const double change = std::exp(-2.0 * a * step * step);
    for (std::size_t j = span.first; j <= span.last; ++j) {
        samples[j] += value;
        value *= factor;
        factor *= change;
    }
}

void LineProfile::AddLorentzian(std::vector<double>& samples, double origin, double step,
                                double centre, double intensity, double fwhm) const
{
    const Span span = Samples(samples.size(), origin, step, centre, kLorentzianReach * fwhm);
    const double scale = 2.0 / fwhm;
    for (std::size_t j = span.first; j <= span.last; ++j) {
        const double u = (origin + static_cast<double>(j) * step - centre) * scale;
        samples[j] += intensity / (1.0 + u * u);
    }
}

void LineProfile::AddVoigt(std::vector<double>& samples, double origin, double step, double centre,
                           double intensity, double gaussian) const
{
    const std::vector<double>& table = VoigtTable(gaussian);
    const double reach = kGaussianReach * gaussian + kLorentzianReach * m_settings.lorentzianFwhm;
    const Span span = Samples(samples.size(), origin, step, centre, reach);
    const double perAngstrom = kTableSteps / reach;
    for (std::size_t j = span.first; j <= span.last; ++j) {
        const double position =
            std::min(std::abs(origin + static_cast<double>(j) * step - centre) * perAngstrom,
                     static_cast<double>(kTableSteps));
        const auto i = static_cast<std::size_t>(position);
        samples[j] += intensity * (table[i] + (position - i) * (table[i + 1] - table[i]));
    }
}

// Tabulated from the centre to the reach in kTableSteps steps, with one more entry so that
// interpolation at the reach itself stays inside.
const std::vector<double>& LineProfile::VoigtTable(double gaussian) const
{
    const double ratio = std::max(m_settings.lorentzianFwhm, 1e-12) / gaussian;
    const int key = static_cast<int>(std::lround(std::log(ratio) / std::log(kRatioStep)));
    if (const auto found = m_voigtTables.find(key); found != m_voigtTables.end()) {
        return found->second;
    }
    if (m_voigtTables.size() >= kMostTables) {
        m_voigtTables.clear();
    }
    // In units of the Gaussian FWHM, with the Lorentzian at the bucket's own ratio.
    const double lorentzian = std::pow(kRatioStep, key);
    const double sigma = 1.0 / (2.0 * std::sqrt(2.0 * kLn2));
    const double gamma = 0.5 * lorentzian;
    const double reach = kGaussianReach + kLorentzianReach * lorentzian;
    const double peak = voigt(0.0, sigma, gamma);
    std::vector<double> table(kTableSteps + 2);
    for (int i = 0; i <= kTableSteps + 1; ++i) {
        table[static_cast<std::size_t>(i)] = voigt(reach * i / kTableSteps, sigma, gamma) / peak;
    }
    return m_voigtTables.emplace(key, std::move(table)).first->second;
}
