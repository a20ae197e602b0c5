#include "analysis/Identification.h"

#include "analysis/LineCandidates.h"

Identification Identification::Run(const std::vector<OverlayData>& spectrum,
                                   const Settings& settings, const TextTables& text,
                                   TableArray& tables, const PeakFinder::Progress& progress)
{
    Identification result;
    PeakSearch search;
    search.sigmas = settings.sigmas;
    PeakFinder::Result found = PeakFinder::Find(spectrum, search, progress);
    result.m_lineWidth = found.lineWidth;
    result.m_noise = found.noise;
    result.m_cancelled = found.cancelled;
    if (found.cancelled || found.peaks.empty()) {
        return result;
    }
    result.m_peaks = std::move(found.peaks);
    LineCandidates::Options options;
    options.orders = settings.orders;
    options.ordersAsRatios = settings.ordersAsRatios;
    options.spectrum = settings.spectrum;
    LineCandidates candidates(text, tables, options);
    candidates.Gather(result.m_peaks);
    PeakIdentifier identifier;
    identifier.Identify(result.m_peaks, candidates);
    result.m_candidates = identifier.Ranked();
    result.m_spectra = ElementSummary(identifier, text).Spectra();
    return result;
}
