// The peak finder on a spectrum of 1,000,000 points 0.01 Å apart: 3000 lines 8 points wide,
// from 5 to 5000 σ, on a sloping, gently curved continuum with unit Gaussian noise, the line
// width left for it to estimate. Prints the median of five runs in seconds and, as a comment,
// the number of peaks found.
#include "Random.h"
#include "Stopwatch.h"
#include "analysis/PeakFinder.h"
#include "analysis/OverlayFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr size_t kPoints = 1'000'000;
constexpr size_t kLines = 3000;
constexpr double kStep = 0.01;
constexpr double kLineWidth = 0.08;

std::vector<OverlayData> Spectrum()
{
    Random random(20240611);
    std::vector<OverlayData> points(kPoints);
    for (size_t i = 0; i < kPoints; ++i) {
        const double x = 3000.0 + kStep * static_cast<double>(i);
        const double radius = std::sqrt(-2.0 * std::log(1.0 - random.NextUnit()));
        const double noise = radius * std::cos(2.0 * std::numbers::pi * random.NextUnit());
        points[i] = {x, 200.0 + 0.01 * (x - 3000.0) + 30.0 * std::sin(x / 700.0) + noise};
    }
    const double sigma = kLineWidth / 2.3548;
    const auto reach = static_cast<size_t>(6.0 * kLineWidth / kStep);
    for (size_t line = 0; line < kLines; ++line) {
        const auto top = static_cast<size_t>(random.NextUnit() * (kPoints - 2 * reach)) + reach;
        const double centre = points[top].wavelength + kStep * (random.NextUnit() - 0.5);
        const double height = 5.0 * std::pow(1000.0, random.NextUnit());
        for (size_t i = top - reach; i <= top + reach; ++i) {
            const double u = (points[i].wavelength - centre) / sigma;
            points[i].value += height * std::exp(-u * u / 2.0);
        }
    }
    return points;
}

}  // namespace

int main()
{
    const std::vector<OverlayData> points = Spectrum();
    std::vector<double> seconds;
    PeakFinder::Result result;
    for (int run = 0; run < 5; ++run) {
        Stopwatch watch;
        result = PeakFinder::Find(points, PeakSearch{});
        seconds.push_back(watch.Seconds());
    }
    std::nth_element(seconds.begin(), seconds.begin() + 2, seconds.end());
    std::printf("peaks_find_s: %.4f\n", seconds[2]);
    std::printf("# %zu peaks of %zu lines, line width %.4f Å, noise %.3f\n", result.peaks.size(),
                kLines, result.lineWidth, result.noise);
    return 0;
}
