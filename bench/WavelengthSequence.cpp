#include "WavelengthSequence.h"

#include "Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kBinCount = (WavelengthSequence::kHighest - WavelengthSequence::kLowest) / 1000;
constexpr double kMaxLinesPerAngstrom = 900.0;

// Relative line density at `angstrom`.
double Density(double angstrom)
{
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    double base;
    if (angstrom < 1850.0) {
        const double x = (angstrom - 500.0) / 1350.0;
        base = 0.05 + 0.25 * x * x;
    } else if (angstrom < 2000.0) {
        base = 0.3 + 0.7 * (angstrom - 1850.0) / 150.0;
    } else if (angstrom < 9000.0) {
        const double bump = (angstrom - 3800.0) / 800.0;
        base = 1.0 + 0.3 * std::exp(-0.5 * bump * bump);
    } else {
        base = std::exp(-(angstrom - 9000.0) / 6000.0) + 0.05;
    }
    const double slow = 1.0 + 0.15 * std::sin(kTwoPi * angstrom / 610.0);
    const double fast = 1.0 + 0.1 * std::sin(kTwoPi * angstrom / 89.0 + 1.0);
    return base * slow * fast;
}

// Scales `weights` to sum to `total`, no entry above `cap` (the excess goes to the others).
void ScaleWithCap(std::vector<double>& weights, double total, double cap)
{
    std::vector<bool> capped(weights.size(), false);
    for (int round = 0; round < 50; ++round) {
        double free = 0.0;
        double cappedSum = 0.0;
        for (size_t i = 0; i < weights.size(); ++i) {
            if (capped[i]) {
                cappedSum += cap;
            } else {
                free += weights[i];
            }
        }
        const double scale = free > 0.0 ? std::max(0.0, total - cappedSum) / free : 0.0;
        bool changed = false;
        for (size_t i = 0; i < weights.size(); ++i) {
            if (!capped[i] && weights[i] * scale > cap) {
                capped[i] = changed = true;
            }
        }
        if (!changed) {
            for (size_t i = 0; i < weights.size(); ++i) {
                weights[i] = capped[i] ? cap : weights[i] * scale;
            }
            return;
        }
    }
}

}  // namespace

WavelengthSequence::WavelengthSequence(uint64_t lineCount) : m_cumulative(kBinCount + 1, 0.0)
{
    std::vector<double> lines(kBinCount);
    for (int bin = 0; bin < kBinCount; ++bin) {
        lines[bin] = Density(kLowest / 1000.0 + bin + 0.5);
    }
    ScaleWithCap(lines, static_cast<double>(lineCount), kMaxLinesPerAngstrom);
    for (int bin = 0; bin < kBinCount; ++bin) {
        m_cumulative[bin + 1] = m_cumulative[bin] + lines[bin];
    }
}

int32_t WavelengthSequence::Next(Random& random)
{
    const double position = static_cast<double>(m_index++) + random.NextUnit();
    while (m_bin + 1 < kBinCount && m_cumulative[m_bin + 1] <= position) {
        ++m_bin;
    }
    const double inBin = m_cumulative[m_bin + 1] - m_cumulative[m_bin];
    const double fraction =
        inBin > 0.0 ? std::min(1.0, (position - m_cumulative[m_bin]) / inBin) : 0.0;
    const double angstrom = kLowest / 1000.0 + static_cast<double>(m_bin) + fraction;
    const auto wavelength = static_cast<int32_t>(std::lround(angstrom * 1000.0));
    m_previous = std::max(wavelength, m_previous + 1);
    return m_previous;
}
