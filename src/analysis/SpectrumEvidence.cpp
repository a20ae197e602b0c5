#include "analysis/SpectrumEvidence.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<double> Median(std::vector<double> values)
{
    if (values.empty()) {
        return std::nullopt;
    }
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    return 0.5 * (upper + *std::max_element(values.begin(),
                                            values.begin() + static_cast<std::ptrdiff_t>(middle)));
}

}  // namespace

SpectrumEvidence::SpectrumEvidence(const std::vector<CandidateLine>& lines,
                                   const FoundHeight& foundHeight, const NoiseNear& noiseNear,
                                   double detectionLimit, std::optional<double> fallbackScale)
{
    std::vector<double> logRatios;
    m_lines.reserve(lines.size());
    for (const CandidateLine& candidate : lines) {
        const std::optional<double> height = foundHeight(candidate);
        m_lines.push_back({candidate, height.has_value(), false, 0.0});
        if (height && *height > 0.0 && candidate.intensity > 0.0) {
            logRatios.push_back(std::log(*height / candidate.intensity));
        }
    }
    m_logScale = Median(std::move(logRatios));
    if (!m_logScale) {
        m_logScale = fallbackScale;
    }
    for (Line& line : m_lines) {
        if (m_logScale && line.line.intensity > 0.0) {
            line.predictedHeight = std::exp(*m_logScale) * line.line.intensity;
        }
        line.expected =
            line.found || (line.predictedHeight > 0.0 &&
                           line.predictedHeight >= detectionLimit * noiseNear(line.line.position));
        m_expected += line.expected ? 1 : 0;
        m_found += line.found ? 1 : 0;
    }
}
