#include "analysis/LineProfile.h"
#include "analysis/Plasma.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Measured {
    double peak = 0.0;
    double centre = 0.0;
    double fwhm = 0.0;
};

// One line's profile on a fine grid about `centre`: its height, centre and width at half height
// (crossings interpolated linearly).
Measured Measure(const SpectrumSettings& settings, double centre)
{
    constexpr double kStep = 0.0005;
    const double origin = centre - 5.0;
    std::vector<double> samples(20001, 0.0);
    LineProfile(settings).Add(samples, origin, kStep, centre, 250.0);
    const auto top = std::max_element(samples.begin(), samples.end());
    const double half = *top / 2.0;
    const auto crossing = [&](auto from, int direction) {
        auto at = from;
        while (*at > half) {
            at += direction;
        }
        const double fraction = (half - *at) / (*(at - direction) - *at);
        return origin + ((at - samples.begin()) - direction * fraction) * kStep;
    };
    return {*top, origin + (top - samples.begin()) * kStep, crossing(top, 1) - crossing(top, -1)};
}

}  // namespace

// Each profile is the line's intensity at its centre and has the width asked for: λ/R for a
// resolving power, the Voigt's from both parts. The Gaussian's running products stay on the
// formula over the whole reach.
TEST(LineProfileTest, ProfilesHaveTheirWidthsAndPeakAtTheIntensity)
{
    SpectrumSettings gaussian;
    gaussian.shape = LineShape::Gaussian;
    gaussian.resolution = 5000.0;
    const Measured g = Measure(gaussian, 5000.0);
    EXPECT_NEAR(g.peak, 250.0, 1e-6);
    EXPECT_NEAR(g.fwhm, 1.0, 1e-6);

    SpectrumSettings lorentzian{LineShape::Lorentzian, 0.3, 0.1, 0.0, 0.0, 0.0, 0.0};
    EXPECT_NEAR(Measure(lorentzian, 4000.0).fwhm, 0.3, 1e-6);

    SpectrumSettings voigt{LineShape::Voigt, 0.5, 0.5, 0.0, 0.0, 0.0, 0.0};
    const Measured v = Measure(voigt, 4000.0);
    EXPECT_NEAR(v.peak, 250.0, 1e-6);
    EXPECT_NEAR(v.fwhm, LineProfile::VoigtFwhm(0.5, 0.5), 0.0005);
    EXPECT_NEAR(v.fwhm, 0.8188, 0.001);

    // The Gaussian's recurrence against the formula, at a coarse step far into the wing.
    std::vector<double> samples(100, 0.0);
    gaussian.resolution = 0.0;
    gaussian.fwhm = 0.4;
    LineProfile(gaussian).Add(samples, 0.0, 0.0173, 0.85, 1.0);
    for (size_t j = 0; j < samples.size(); ++j) {
        const double d = j * 0.0173 - 0.85;
        const double exact = std::abs(d) <= 1.6 ? std::exp(-4.0 * std::log(2.0) * d * d / 0.16) : 0;
        EXPECT_NEAR(samples[j], exact, 1e-12 + 1e-9 * exact) << j;
    }
}

TEST(LineProfileTest, VelocityShiftIsRelativistic)
{
    SpectrumSettings settings;
    settings.velocity = 100.0;
    EXPECT_NEAR(5000.0 * settings.Shift(), 5001.668, 0.0005);
    settings.velocity = -150000.0;  // half the speed of light towards us: √(1/3)
    EXPECT_NEAR(settings.Shift(), std::sqrt(1.0 / 3.0), 1e-3);
}

// Hydrogen at 1 eV and 10¹⁶ cm⁻³: n(II)/n(I) = 2·(2πmₑkT/h²)^1.5·(U(II)/U(I))·e^(−13.598)/nₑ
// with U(I) = 2, U(II) = 1 is 0.3752 (CODATA 2018 constants). A list without the ground level still
// counts it.
TEST(PlasmaTest, SahaAndPartitionFunction)
{
    EXPECT_NEAR(Plasma::IonisationRatio(1.0, 1e16, 13.598, 2.0, 1.0), 0.3752, 0.0001);
    const std::vector<AtomicLevel> withGround{{0.0, 2}, {82259.0, 8}};
    EXPECT_NEAR(Plasma::PartitionFunction(withGround, 1.0), 2.0 + 8.0 * std::exp(-10.199), 1e-6);
    const std::vector<AtomicLevel> excitedOnly{{82259.0, 8}};
    EXPECT_NEAR(Plasma::PartitionFunction(excitedOnly, 1.0), 1.0 + 8.0 * std::exp(-10.199), 1e-6);
}
