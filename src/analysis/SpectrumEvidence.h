#pragma once

#include "analysis/LineCandidates.h"

#include <functional>
#include <optional>
#include <vector>

// What one spectrum's lines near the peaks say about it. The spectrum's scale (measured height
// per unit of table intensity) is the median of height / intensity over its found lines, in
// logarithms so that one blended or saturated peak cannot move it far. A line should be
// visible when the scale predicts a height of at least `detectionLimit` times the noise near
// it; a found line always counts as one that should be visible.
class SpectrumEvidence {
public:
    struct Line {
        CandidateLine line;
        bool found = false;
        bool expected = false;
        double predictedHeight = 0.0;  // 0 without a scale or a table intensity
    };
    // The height of the peak a line explains, if it explains one.
    using FoundHeight = std::function<std::optional<double>(const CandidateLine&)>;
    // The noise (height per signal-to-noise) of the peak nearest a position (Å).
    using NoiseNear = std::function<double(double)>;

    // `fallbackScale` (a natural logarithm) serves when no found line has an intensity.
    SpectrumEvidence(const std::vector<CandidateLine>& lines, const FoundHeight& foundHeight,
                     const NoiseNear& noiseNear, double detectionLimit,
                     std::optional<double> fallbackScale);

    std::optional<double> LogScale() const { return m_logScale; }
    int Expected() const { return m_expected; }
    int Found() const { return m_found; }
    // (found + 1) / (expected + 2): near 1 when every line that should show does, 1/2 with no
    // evidence either way, low when expected lines are missing.
    double Support() const { return (m_found + 1.0) / (m_expected + 2.0); }
    const std::vector<Line>& Lines() const { return m_lines; }

private:
    std::vector<Line> m_lines;
    std::optional<double> m_logScale;
    int m_expected = 0;
    int m_found = 0;
};
