#pragma once

#include "analysis/ElementSummary.h"
#include "analysis/MeasuredPeak.h"
#include "analysis/OverlayFile.h"
#include "analysis/PeakFinder.h"
#include "analysis/PeakIdentifier.h"
#include "database/SpectrumSettings.h"

#include <vector>

class TableArray;
class TextTables;

// One identification of a measured spectrum: its peaks, the best candidate lines of each,
// ranked, and the spectra they support. The lines are those the tables offer with the current
// filters and sources, in the orders the graph shows.
class Identification {
public:
    struct Settings {
        double sigmas = 5.0;
        std::vector<int> orders{1};
        bool ordersAsRatios = false;
        SpectrumSettings spectrum;  // velocity and temperature, as the graph has them
    };

    // Runs the whole identification; `progress` as for the peak finder (false stops it, and the
    // result then holds no peaks).
    static Identification Run(const std::vector<OverlayData>& spectrum, const Settings& settings,
                              const TextTables& text, TableArray& tables,
                              const PeakFinder::Progress& progress = {});

    const std::vector<MeasuredPeak>& Peaks() const { return m_peaks; }
    // The ranked candidates of each peak, best first, indexed like the peaks.
    const std::vector<std::vector<RankedCandidate>>& Candidates() const { return m_candidates; }
    const std::vector<ElementSummary::Spectrum>& Spectra() const { return m_spectra; }
    double LineWidth() const { return m_lineWidth; }
    double Noise() const { return m_noise; }
    bool Cancelled() const { return m_cancelled; }

private:
    std::vector<MeasuredPeak> m_peaks;
    std::vector<std::vector<RankedCandidate>> m_candidates;
    std::vector<ElementSummary::Spectrum> m_spectra;
    double m_lineWidth = 0.0;
    double m_noise = 0.0;
    bool m_cancelled = false;
};
