#include "analysis/PeakFinder.h"

#include "analysis/Continuum.h"
#include "analysis/PeakFit.h"

#include <algorithm>
#include <cmath>

namespace {

// Noiseless data would make every ripple of rounding a peak: the noise is never taken below
// this fraction of the values' range.
constexpr double kNoiseFloor = 1e-9;

double Valid(double value, double fallback)
{
    return std::isfinite(value) && value > 0.0 ? value : fallback;
}

}  // namespace

PeakFinder::Result PeakFinder::Find(const std::vector<OverlayData>& points,
                                    const PeakSearch& search, const Progress& progress)
{
    std::vector<double> wavelength;
    std::vector<double> value;
    wavelength.reserve(points.size());
    value.reserve(points.size());
    for (const OverlayData& point : points) {
        wavelength.push_back(point.wavelength);
        value.push_back(point.value);
    }
    return Find(std::move(wavelength), std::move(value), search, progress);
}

PeakFinder::Result PeakFinder::Find(std::vector<double> wavelength, std::vector<double> value,
                                    const PeakSearch& search, const Progress& progress)
{
    Order(wavelength, value);
    const PeakSearch defaults;
    const PeakSearch checked{Valid(search.sigmas, defaults.sigmas), Valid(search.lineWidth, 0.0),
                             Valid(search.continuumWidths, defaults.continuumWidths)};
    return PeakFinder(wavelength, value, checked, progress).Run();
}

// Points as the search needs them: finite, as many values as wavelengths, in ascending order.
void PeakFinder::Order(std::vector<double>& wavelength, std::vector<double>& value)
{
    const auto finite = [&](size_t i) {
        return std::isfinite(wavelength[i]) && std::isfinite(value[i]);
    };
    const size_t n = std::min(wavelength.size(), value.size());
    bool ordered = wavelength.size() == value.size();
    for (size_t i = 0; i < n && ordered; ++i) {
        ordered = finite(i) && (i == 0 || wavelength[i - 1] <= wavelength[i]);
    }
    if (ordered) {
        return;
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < n; ++i) {
        if (finite(i)) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return wavelength[a] < wavelength[b]; });
    std::vector<double> sortedWavelength;
    std::vector<double> sortedValue;
    for (size_t i : order) {
        sortedWavelength.push_back(wavelength[i]);
        sortedValue.push_back(value[i]);
    }
    wavelength = std::move(sortedWavelength);
    value = std::move(sortedValue);
}

PeakFinder::PeakFinder(const std::vector<double>& wavelength, const std::vector<double>& value,
                       const PeakSearch& search, const Progress& progress)
    : m_wavelength(wavelength), m_value(value), m_search(search), m_progress(progress)
{
}

PeakFinder::Result PeakFinder::Run()
{
    const size_t n = m_wavelength.size();
    if (n < kFewestPoints) {
        return {{}, m_search.lineWidth, 0.0, false};
    }
    const bool given = m_search.lineWidth > 0.0;
    const double spacing = (m_wavelength[n - 1] - m_wavelength[0]) / static_cast<double>(n - 1);
    double width = given ? m_search.lineWidth : kRoughWidthSamples * spacing;
    Pass pass = Search(width, 0.0, given ? 1.0 : 0.5);
    if (!given) {
        // The continuum's window was a guess; redo it when the peaks tell a different width.
        const double estimated = EstimatedWidth(pass.peaks, width);
        if (std::abs(estimated - width) > 0.1 * width) {
            pass = Search(estimated, 0.5, 1.0);
        }
        width = EstimatedWidth(pass.peaks, estimated);
    }
    if (!Report(1.0)) {
        return {{}, width, 0.0, true};
    }
    return {std::move(pass.peaks), width, pass.noise, false};
}

PeakFinder::Pass PeakFinder::Search(double lineWidth, double progressFrom, double progressTo)
{
    const auto progressAt = [&](double share) {
        return progressFrom + share * (progressTo - progressFrom);
    };
    if (!Report(progressAt(0.0))) {
        return {};
    }
    std::vector<double> continuum = Continuum::Estimate(
        m_wavelength, m_value, lineWidth * m_search.continuumWidths, kContinuumPercentile);
    if (!Report(progressAt(0.6))) {
        return {};
    }
    // A lower percentile sits below the middle of the noise; the median of what is left lifts
    // it back, so that heights are measured from the noise's middle.
    const size_t n = m_value.size();
    std::vector<double> above(n);
    for (size_t i = 0; i < n; ++i) {
        above[i] = m_value[i] - continuum[i];
    }
    const double offset = Median(above);
    std::vector<double> deviation(n);
    for (size_t i = 0; i < n; ++i) {
        above[i] -= offset;
        continuum[i] += offset;
        deviation[i] = std::abs(above[i]);
    }
    const auto [low, high] = std::minmax_element(m_value.begin(), m_value.end());
    const double noise =
        std::max(kMadToSigma * Median(std::move(deviation)), kNoiseFloor * (*high - *low));
    const std::vector<size_t> tops = ProminentTops(above, m_search.sigmas * noise);
    if (!Report(progressAt(0.8))) {
        return {};
    }

    Pass pass{{}, noise};
    for (size_t k = 0; k < tops.size(); ++k) {
        const size_t first = k > 0 ? (tops[k - 1] + tops[k]) / 2 : 0;
        const size_t last = k + 1 < tops.size() ? (tops[k] + tops[k + 1]) / 2 : n - 1;
        const MeasuredPeak peak = Measure(above, continuum, noise, tops[k], first, last);
        if (peak.height > 0.0 && peak.width > 0.0 && std::isfinite(peak.uncertainty)) {
            pass.peaks.push_back(peak);
        }
    }
    return pass;
}

// Local maxima at least `depth` above the continuum and `depth` above the higher of the two
// lowest points that part them from anything higher: noise on a flank or a top makes no peak.
std::vector<size_t> PeakFinder::ProminentTops(const std::vector<double>& above, double depth) const
{
    std::vector<size_t> tops;
    for (size_t i = 1; i + 1 < above.size(); ++i) {
        if (above[i] >= depth && above[i] > above[i - 1] && above[i] >= above[i + 1] &&
            Stands(above, i, depth, -1) && Stands(above, i, depth, +1)) {
            tops.push_back(i);
        }
    }
    return tops;
}

// Walks away from `top` until the signal has fallen `depth` below it (it stands out on this
// side) or rises above it or the spectrum ends first (it does not).
bool PeakFinder::Stands(const std::vector<double>& above, size_t top, double depth, int direction)
{
    const double floor = above[top] - depth;
    const size_t end = direction < 0 ? 0 : above.size() - 1;
    for (size_t j = top; j != end;) {
        j = direction < 0 ? j - 1 : j + 1;
        if (above[j] > above[top]) {
            return false;
        }
        if (above[j] <= floor) {
            return true;
        }
    }
    return false;
}

MeasuredPeak PeakFinder::Measure(const std::vector<double>& above,
                                 const std::vector<double>& continuum, double noise, size_t top,
                                 size_t first, size_t last) const
{
    const PeakFit fit(m_wavelength, above, top, first, last);
    MeasuredPeak peak;
    peak.centre = fit.Centre();
    peak.height = fit.Height();
    peak.width = fit.Width();
    peak.continuum = continuum[top];
    peak.signalToNoise = peak.height / noise;
    // The least-squares bound for a Gaussian's centre under white noise σ, samples Δ apart, is
    // 0.69 sqrt(Δ · FWHM) / (S/N); the fit over the core alone sees part of the profile, so the
    // factor is taken as 1: σ_centre = sqrt(Δ · FWHM) / (S/N).
    peak.uncertainty = std::sqrt(fit.Spacing() * peak.width) / peak.signalToNoise;
    return peak;
}

// The median width of the strong peaks with no other peak near them; of all peaks when none
// is; `fallback` when there are no peaks.
double PeakFinder::EstimatedWidth(const std::vector<MeasuredPeak>& peaks, double fallback)
{
    std::vector<double> isolated;
    std::vector<double> all;
    for (size_t k = 0; k < peaks.size(); ++k) {
        const MeasuredPeak& peak = peaks[k];
        all.push_back(peak.width);
        const double reach = kWidthIsolation * peak.width;
        const bool crowded = (k > 0 && peak.centre - peaks[k - 1].centre < reach) ||
                             (k + 1 < peaks.size() && peaks[k + 1].centre - peak.centre < reach);
        if (peak.signalToNoise >= kWidthPeakSigmas && !crowded) {
            isolated.push_back(peak.width);
        }
    }
    if (!isolated.empty()) {
        return Median(std::move(isolated));
    }
    return all.empty() ? fallback : Median(std::move(all));
}

// Of evenly spread samples when there are many: their median differs from the whole's by
// far less than the noise, at a fraction of the time.
double PeakFinder::Median(std::vector<double> values)
{
    const size_t stride = values.size() / kMedianSamples + 1;
    if (stride > 1) {
        for (size_t i = 0; i * stride < values.size(); ++i) {
            values[i] = values[i * stride];
        }
        values.resize((values.size() - 1) / stride + 1);
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

bool PeakFinder::Report(double fraction)
{
    if (!m_cancelled && m_progress && !m_progress(fraction)) {
        m_cancelled = true;
    }
    return !m_cancelled;
}
