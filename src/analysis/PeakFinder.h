#pragma once

#include "analysis/MeasuredPeak.h"
#include "analysis/OverlayFile.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

// What counts as a peak. Values that are not finite or not above 0 take the defaults (a line
// width not above 0 is estimated).
struct PeakSearch {
    double sigmas = 5.0;            // how far above the continuum a peak stands, in noise σ
    double lineWidth = 0.0;         // the instrument's FWHM in Å; 0: estimated from the peaks
    double continuumWidths = 30.0;  // the continuum's window, in line widths
};

// The peaks of a measured spectrum: a continuum (a moving 20th percentile), the noise about it
// (the median absolute deviation), the local maxima that stand out of both, and each one's
// centre, height and width fitted over its core.
class PeakFinder {
public:
    struct Result {
        std::vector<MeasuredPeak> peaks;  // in order of wavelength
        double lineWidth = 0.0;           // Å: as given, or estimated from the isolated peaks
        double noise = 0.0;               // σ of the values about the continuum
        bool cancelled = false;           // the progress callback stopped it: no peaks
    };
    // Told the fraction done between steps; returning false stops the search.
    using Progress = std::function<bool(double fraction)>;

    static constexpr double kContinuumPercentile = 0.2;
    static constexpr double kMadToSigma = 1.4826;
    // Before the width is known, the continuum's window is set from this many samples.
    static constexpr double kRoughWidthSamples = 8.0;
    // The width is estimated from peaks this strong with no other peak this many widths away.
    static constexpr double kWidthPeakSigmas = 20.0;
    static constexpr double kWidthIsolation = 3.0;
    static constexpr size_t kFewestPoints = 5;
    static constexpr size_t kMedianSamples = 100'000;

    // The points of an overlay, ascending in wavelength.
    static Result Find(const std::vector<OverlayData>& points, const PeakSearch& search,
                       const Progress& progress = {});

    // Points that are not finite are left out, and points out of order are sorted first.
    static Result Find(std::vector<double> wavelength, std::vector<double> value,
                       const PeakSearch& search, const Progress& progress = {});

private:
    struct Pass {
        std::vector<MeasuredPeak> peaks;
        double noise = 0.0;
    };

    static void Order(std::vector<double>& wavelength, std::vector<double>& value);
    PeakFinder(const std::vector<double>& wavelength, const std::vector<double>& value,
               const PeakSearch& search, const Progress& progress);

    Result Run();
    Pass Search(double lineWidth, double progressFrom, double progressTo);
    std::vector<size_t> ProminentTops(const std::vector<double>& above, double depth) const;
    static bool Stands(const std::vector<double>& above, size_t top, double depth, int direction);
    MeasuredPeak Measure(const std::vector<double>& above, const std::vector<double>& continuum,
                         double noise, size_t top, size_t first, size_t last) const;
    static double EstimatedWidth(const std::vector<MeasuredPeak>& peaks, double fallback);
    static double Median(std::vector<double> values);
    bool Report(double fraction);

    const std::vector<double>& m_wavelength;
    const std::vector<double>& m_value;
    PeakSearch m_search;
    const Progress& m_progress;
    bool m_cancelled = false;
};
