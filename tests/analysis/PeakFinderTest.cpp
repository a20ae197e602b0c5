#include "analysis/OverlayFile.h"
#include "analysis/PeakFinder.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

struct Line {
    double centre, height, fwhm;
};

// Lines on a sloped continuum with unit Gaussian noise (Box–Muller on a fixed generator).
std::vector<OverlayData> Spectrum(double from, double step, size_t n,
                                  const std::vector<Line>& lines)
{
    std::mt19937_64 random(7);
    const auto unit = [&] { return static_cast<double>(random() >> 11) * 0x1p-53; };
    std::vector<OverlayData> points(n);
    for (size_t i = 0; i < n; ++i) {
        const double x = from + step * static_cast<double>(i);
        const double noise = std::sqrt(-2.0 * std::log(1.0 - unit())) * std::cos(2 * M_PI * unit());
        points[i] = {x, 100.0 + 0.5 * (x - from) + noise};
        for (const Line& line : lines) {
            const double u = (x - line.centre) / (line.fwhm / 2.3548);
            points[i].value += std::abs(u) < 10 ? line.height * std::exp(-u * u / 2) : 0.0;
        }
    }
    return points;
}

const MeasuredPeak* Nearest(const PeakFinder::Result& result, double centre)
{
    const MeasuredPeak* best = nullptr;
    for (const MeasuredPeak& peak : result.peaks) {
        if (!best || std::abs(peak.centre - centre) < std::abs(best->centre - centre)) {
            best = &peak;
        }
    }
    return best;
}

}  // namespace

// Pixels 0.01 Å wide, lines 8 pixels wide; 0 to 4 lines, one of them strong enough that the
// noise on its flanks and top is many σ; an empty list is pure noise.
TEST(PeakFinderTest, FindsSyntheticLinesWithTheirCentresWidthsAndTheLineWidth)
{
    const std::vector<std::vector<Line>> cases = {
        {},
        {{5003.1234, 10, 0.08}},
        {{5002.0, 2000, 0.08}, {5005.5555, 30, 0.08}, {5010.123, 300, 0.08}, {5020.9, 12, 0.08}},
    };
    for (const std::vector<Line>& lines : cases) {
        SCOPED_TRACE(lines.size());
        const auto result = PeakFinder::Find(Spectrum(5000, 0.01, 3000, lines), PeakSearch{});
        ASSERT_EQ(result.peaks.size(), lines.size());
        EXPECT_NEAR(result.noise, 1.0, 0.1);
        for (const Line& line : lines) {
            const MeasuredPeak& peak = *Nearest(result, line.centre);
            // Within 3 σ of its stated uncertainty; strong lines within 0.1 pixel.
            EXPECT_NEAR(peak.centre, line.centre,
                        std::min(3 * peak.uncertainty, line.height >= 100 ? 0.001 : 1.0));
            // At 10 σ the half-height crossings alone scatter by 10 %.
            EXPECT_NEAR(peak.width, line.fwhm, (line.height >= 30 ? 0.1 : 0.25) * line.fwhm);
            EXPECT_NEAR(peak.height, line.height, 3.0 + 0.01 * line.height);
            EXPECT_NEAR(peak.signalToNoise, line.height, 0.1 * line.height);
        }
        if (lines.size() > 1) {
            EXPECT_NEAR(result.lineWidth, 0.08, 0.008);
        }
    }
}

TEST(PeakFinderTest, StopsWhenTheProgressSaysSo)
{
    const auto points = Spectrum(5000, 0.01, 3000, {{5002.0, 200, 0.08}});
    const auto stopped = PeakFinder::Find(points, PeakSearch{}, [](double f) { return f < 0.5; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.peaks.empty());
}

TEST(PeakFinderTest, SortsPointsOutOfOrderAndLeavesOutThoseNotFiniteOrIncomplete)
{
    const auto points = Spectrum(5000, 0.01, 3000, {{5002.0, 200, 0.08}, {5020.0, 50, 0.08}});
    auto shuffled = points;
    std::reverse(shuffled.begin(), shuffled.end());
    shuffled.push_back({5010.0, NAN});
    const auto expected = PeakFinder::Find(points, PeakSearch{});
    EXPECT_EQ(PeakFinder::Find(shuffled, PeakSearch{}).peaks, expected.peaks);
    EXPECT_EQ(expected.peaks.size(), 2u);
    std::vector<double> wavelength, value = {1e12};  // a value without a wavelength is dropped
    for (const OverlayData& point : points) {
        wavelength.push_back(point.wavelength);
        value.insert(value.end() - 1, point.value);
    }
    EXPECT_EQ(PeakFinder::Find(wavelength, value, PeakSearch{}).peaks, expected.peaks);
}

// A lamp from NIST's lists: FWHM 0.2 Å, heights from the listed intensities, 0.005 Å pixels.
TEST(PeakFinderTest, FindsTheIsolatedLinesOfNistLamps)
{
    const std::filesystem::path folder = SPEKLA_SOURCE_DIR "/../shared/data/nist";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no NIST line lists in " << folder;
    }
    struct Lamp {
        const char* file;
        double from, to;
    };
    for (const Lamp& lamp : {Lamp{"HgI.ascii", 3000, 4500}, Lamp{"NeI.ascii", 5000, 6000}}) {
        std::ifstream in(folder / lamp.file);
        std::vector<Line> lines;
        for (std::string row; std::getline(in, row);) {
            std::istringstream fields(row);
            std::string observed, ritz, intensity;
            std::getline(fields, observed, '|') && std::getline(fields, ritz, '|') &&
                std::getline(fields, intensity, '|');
            const double x = std::atof(
                (observed.find_first_of("0123456789") != std::string::npos ? observed : ritz)
                    .c_str());
            if (row[0] != '#' && x > lamp.from && x < lamp.to && std::atof(intensity.c_str()) > 0) {
                lines.push_back({x, std::atof(intensity.c_str()), 0.2});
            }
        }
        double strongest = 0;
        for (const Line& line : lines)
            strongest = std::max(strongest, line.height);
        for (Line& line : lines)
            line.height *= 20000 / strongest;
        const size_t n = static_cast<size_t>((lamp.to - lamp.from) / 0.005);
        const auto result = PeakFinder::Find(Spectrum(lamp.from, 0.005, n, lines), PeakSearch{});
        size_t isolated = 0, found = 0;
        for (const Line& line : lines) {
            const auto near = std::count_if(lines.begin(), lines.end(), [&](const Line& other) {
                return std::abs(other.centre - line.centre) < 0.6 && other.height >= 1;
            });
            if (line.height >= 10 && near == 1) {
                ++isolated;
                found += std::abs(Nearest(result, line.centre)->centre - line.centre) < 0.1;
            }
        }
        SCOPED_TRACE(lamp.file);
        EXPECT_GT(isolated, 20u);
        EXPECT_GE(found, 0.95 * static_cast<double>(isolated));
        EXPECT_NEAR(result.lineWidth, 0.2, 0.02);
    }
}
