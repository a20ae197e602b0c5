#include "analysis/PeakIdentifier.h"

#include <algorithm>
#include <cmath>

PeakIdentifier::PeakIdentifier(Parameters parameters) : m_parameters(parameters) {}

void PeakIdentifier::Identify(const std::vector<MeasuredPeak>& peaks,
                              const LineCandidates& candidates)
{
    m_peaks = &peaks;
    m_byCentre.clear();
    for (size_t i = 0; i < peaks.size(); ++i) {
        if (std::isfinite(peaks[i].centre)) {
            m_byCentre.emplace_back(peaks[i].centre, i);
        }
    }
    std::sort(m_byCentre.begin(), m_byCentre.end());
    m_spectra.clear();
    Assess(candidates, AllMatches(candidates));
    Rank(candidates);
    Assess(candidates, FirstRanked());
    Rank(candidates);
}

uint64_t PeakIdentifier::Key(const CandidateLine& line)
{
    const auto code = static_cast<uint32_t>(std::llround(line.wavelength * 1000.0));
    return uint64_t{line.spectrum.element} << 56 | uint64_t{line.spectrum.valence} << 48 |
           uint64_t(line.order) << 40 | code;
}

PeakIdentifier::FoundHeights PeakIdentifier::AllMatches(const LineCandidates& candidates) const
{
    FoundHeights found;
    for (size_t peak = 0; peak < candidates.ForPeaks().size(); ++peak) {
        for (const CandidateLine& line : candidates.ForPeaks()[peak]) {
            double& height = found[Key(line)];
            height = std::max(height, (*m_peaks)[peak].height);
        }
    }
    return found;
}

PeakIdentifier::FoundHeights PeakIdentifier::FirstRanked() const
{
    FoundHeights found;
    for (size_t peak = 0; peak < m_ranked.size(); ++peak) {
        if (!m_ranked[peak].empty()) {
            double& height = found[Key(m_ranked[peak].front().line)];
            height = std::max(height, (*m_peaks)[peak].height);
        }
    }
    return found;
}

// A spectrum without a found line in this pass keeps the scale of the pass before.
void PeakIdentifier::Assess(const LineCandidates& candidates, const FoundHeights& found)
{
    const auto foundHeight = [&](const CandidateLine& line) -> std::optional<double> {
        const auto it = found.find(Key(line));
        return it == found.end() ? std::nullopt : std::optional<double>(it->second);
    };
    const auto noise = [this](double position) { return NoiseNear(position); };
    std::map<SpectrumKey, SpectrumEvidence> next;
    for (const auto& [spectrum, lines] : candidates.Evidence()) {
        const auto before = m_spectra.find(spectrum);
        const std::optional<double> fallback =
            before == m_spectra.end() ? std::nullopt : before->second.LogScale();
        next.emplace(spectrum, SpectrumEvidence(lines, foundHeight, noise,
                                                m_parameters.detectionLimit, fallback));
    }
    m_spectra = std::move(next);
}

void PeakIdentifier::Rank(const LineCandidates& candidates)
{
    m_ranked.assign(m_peaks->size(), {});
    for (size_t peak = 0; peak < m_peaks->size(); ++peak) {
        std::vector<RankedCandidate> scored;
        for (const CandidateLine& line : candidates.ForPeaks()[peak]) {
            scored.push_back(Score((*m_peaks)[peak], line));
        }
        std::stable_sort(scored.begin(), scored.end(),
                         [](const auto& a, const auto& b) { return a.score > b.score; });
        std::vector<RankedCandidate>& kept = m_ranked[peak];
        for (const RankedCandidate& candidate : scored) {
            if (kept.size() == m_parameters.keep) {
                break;
            }
            if (std::none_of(kept.begin(), kept.end(), [&](const RankedCandidate& other) {
                    return other.line.SameLineAs(candidate.line);
                })) {
                kept.push_back(candidate);
            }
        }
    }
}

RankedCandidate PeakIdentifier::Score(const MeasuredPeak& peak, const CandidateLine& line) const
{
    RankedCandidate ranked;
    ranked.line = line;
    const double sigma = std::max({peak.uncertainty, peak.width / 6.0, 1e-6});
    const double z = (line.position - peak.centre) / sigma;
    ranked.position = std::exp(-0.5 * z * z);
    const SpectrumEvidence& evidence = m_spectra.at(line.spectrum);
    if (evidence.LogScale() && line.intensity > 0.0 && peak.height > 0.0) {
        const double d = std::log(peak.height / line.intensity) - *evidence.LogScale();
        const double spread = m_parameters.intensitySpread;
        ranked.intensity = std::exp(-0.5 * d * d / (spread * spread));
    }
    ranked.support = evidence.Support();
    ranked.prior = 0.5 + 0.5 * std::clamp(line.ratio, 0.0, 1.0);
    ranked.score = 100.0 * ranked.position *
                   std::pow(ranked.intensity, m_parameters.intensityWeight) * ranked.support *
                   ranked.prior;
    return ranked;
}

double PeakIdentifier::NoiseNear(double position) const
{
    const auto above =
        std::lower_bound(m_byCentre.begin(), m_byCentre.end(), std::make_pair(position, size_t{0}));
    auto nearest = above;
    if (above == m_byCentre.end() ||
        (above != m_byCentre.begin() && position - (above - 1)->first < above->first - position)) {
        nearest = above - 1;
    }
    const MeasuredPeak& peak = (*m_peaks)[nearest->second];
    const double signalToNoise =
        peak.signalToNoise > 0.0 ? peak.signalToNoise : m_parameters.detectionLimit;
    return peak.height / signalToNoise;
}
