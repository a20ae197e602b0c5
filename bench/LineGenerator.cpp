#include "LineGenerator.h"

#include "PeriodicElements.h"

#include <cmath>

namespace {

// A line that repeats its neighbour's wavelength makes two lines that share one, so half the
// wanted 5% share is drawn here.
constexpr double kSameWavelengthShare = 0.025;
constexpr double kExactCopyShare = 0.005;  // part of the above

constexpr int kMaxIntensity = 60;
constexpr double kIntensitySkew = 2.5;  // larger: more low intensity codes

// Weights of valence codes 0 (none) to 5 (V).
const std::vector<double> kValenceWeights = {0.0, 0.55, 0.33, 0.07, 0.03, 0.02};

}  // namespace

LineGenerator::LineGenerator(uint64_t lineCount, uint64_t seed)
    : m_random(seed),
      m_wavelengths(lineCount),
      m_elements(PeriodicElements::LineShares()),
      m_valences(kValenceWeights)
{
}

LineRecord LineGenerator::Next()
{
    // Every line takes its slice of the wavelength distribution, so that repeated wavelengths
    // do not shift the spread of the others.
    const int32_t wavelength = m_wavelengths.Next(m_random);
    const double kind = m_random.NextUnit();
    LineRecord line;
    if (m_started && kind < kExactCopyShare) {
        line = m_previous;
    } else if (m_started && kind < kSameWavelengthShare) {
        line = OtherLineAt(m_previous);
    } else {
        line = FreshLine(wavelength);
    }
    m_previous = line;
    m_started = true;
    return line;
}

LineRecord LineGenerator::FreshLine(int32_t wavelength)
{
    LineRecord line;
    line.wavelength = wavelength;
    line.elementCode = static_cast<uint8_t>(m_elements.Draw(m_random));
    line.valenceCode = static_cast<uint8_t>(m_valences.Draw(m_random));
    const double u = m_random.NextUnit();
    line.intensityCode =
        static_cast<uint8_t>((kMaxIntensity + 1) * std::pow(u, kIntensitySkew));  // 0..60
    line.descriptionCode =
        static_cast<uint8_t>(m_random.NextUnit() < 0.7 ? 0 : 1 + m_random.NextBelow(30));
    line.referenceCode = static_cast<uint8_t>(1 + m_random.NextBelow(100));
    return line;
}

// A different line (element or valence) at the wavelength of `neighbour`.
LineRecord LineGenerator::OtherLineAt(const LineRecord& neighbour)
{
    LineRecord line;
    do {
        line = FreshLine(neighbour.wavelength);
    } while (line.elementCode == neighbour.elementCode &&
             line.valenceCode == neighbour.valenceCode);
    return line;
}
