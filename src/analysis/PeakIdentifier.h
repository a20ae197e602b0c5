#pragma once

#include "analysis/LineCandidates.h"
#include "analysis/SpectrumEvidence.h"

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

// One candidate line of a peak with its score and the terms the score is made of.
struct RankedCandidate {
    CandidateLine line;
    double score = 0.0;     // 0 to 100
    double position = 0.0;  // each term 0 to 1
    double intensity = 1.0;
    double support = 0.0;
    double prior = 1.0;
};

// Ranks the candidate lines of each measured peak.
//
// score = 100 · position · intensity^intensityWeight · support · prior, where
//  - position = exp(−z²/2), z = (line position − peak centre) / σ, σ = max(uncertainty,
//    width / 6): a Gaussian likelihood of the offset, with a sixth of the peak's width as the
//    floor of σ, so that a line at the edge of the candidate tolerance, max(3·uncertainty,
//    0.5·width), lies three σ off (position ≈ 0.01).
//  - intensity = exp(−d²/(2·intensitySpread²)), d = ln(height / expected intensity) minus
//    the spectrum's scale (the median of that log-ratio over its found lines, see
//    SpectrumEvidence): 1 when the peak is as tall as the spectrum's other lines predict,
//    0.61 when a factor of ten off (intensitySpread = ln 10, since table intensities are
//    rough). Lines without a table intensity get 1. Weighted by the square root
//    (intensityWeight 0.5) for the same reason.
//  - support = (found + 1) / (expected + 2) over the spectrum's lines within reach of the
//    peaks: found ones explain a peak, expected ones are predicted at least detectionLimit (3)
//    times the noise (height / signal-to-noise of the nearest peak; a peak without a
//    signal-to-noise counts as just detected). A spectrum whose lines should show and do not is
//    pushed down; one whose lines all show rises towards 1.
//  - prior = 0.5 + 0.5·min(ratio, 1): only lines of selected elements are candidates; with
//    ratios in use, an element the user gave a small ratio is less likely, down to half.
// Each peak keeps its best `keep` (5) candidates, a line listed by several sources once.
//
// The scores are computed twice. The first pass counts a line as found when it is a candidate
// of any peak; the second only when its spectrum ranked first at that peak in the first pass,
// and takes each spectrum's scale from those peaks alone. Spectra confirmed by many peaks
// thereby keep their support and raise their candidates at other peaks, while a spectrum that
// merely has lines near peaks better explained by others loses it.
class PeakIdentifier {
public:
    struct Parameters {
        size_t keep = 5;
        double intensitySpread = 2.302585092994046;  // ln 10
        double intensityWeight = 0.5;
        double detectionLimit = 3.0;
    };

    explicit PeakIdentifier(Parameters parameters);
    PeakIdentifier() : PeakIdentifier(Parameters{}) {}

    // `peaks` are those the candidates were gathered for.
    void Identify(const std::vector<MeasuredPeak>& peaks, const LineCandidates& candidates);

    // The best candidates of each peak, best first, indexed like the peaks.
    const std::vector<std::vector<RankedCandidate>>& Ranked() const { return m_ranked; }
    // The evidence of every spectrum with a candidate, from the second pass.
    const std::map<SpectrumKey, SpectrumEvidence>& Spectra() const { return m_spectra; }

private:
    using FoundHeights = std::unordered_map<uint64_t, double>;

    static uint64_t Key(const CandidateLine& line);
    FoundHeights AllMatches(const LineCandidates& candidates) const;
    FoundHeights FirstRanked() const;
    void Assess(const LineCandidates& candidates, const FoundHeights& found);
    void Rank(const LineCandidates& candidates);
    RankedCandidate Score(const MeasuredPeak& peak, const CandidateLine& line) const;
    double NoiseNear(double position) const;

    Parameters m_parameters;
    const std::vector<MeasuredPeak>* m_peaks = nullptr;
    std::vector<std::pair<double, size_t>> m_byCentre;
    std::map<SpectrumKey, SpectrumEvidence> m_spectra;
    std::vector<std::vector<RankedCandidate>> m_ranked;
};
