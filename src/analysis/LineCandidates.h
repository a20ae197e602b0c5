#pragma once

#include "analysis/LineEmission.h"
#include "analysis/MeasuredPeak.h"
#include "database/SpectrumSettings.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class TableArray;
struct WaveData;
class TextTables;

// One spectrum of the line tables: an element in one ionisation stage (valence code).
struct SpectrumKey {
    uint8_t element = 0;
    uint8_t valence = 0;

    auto operator<=>(const SpectrumKey&) const = default;
};

// A table line seen in one displayed order, where a peak could be it.
struct CandidateLine {
    size_t table = 0;  // index in the TableArray
    uint32_t record = 0;
    SpectrumKey spectrum;
    int order = 1;
    double wavelength = 0.0;  // Å, as stored
    double position = 0.0;    // Å, where the order and the velocity put it
    double intensity = 0.0;   // expected, linear, with the source's scale and the element ratio
    double ratio = 1.0;       // the element ratio when ratios are used, else 1

    // The same line of the same spectrum in the same order (perhaps from another source).
    bool SameLineAs(const CandidateLine& other) const
    {
        return spectrum == other.spectrum && order == other.order && wavelength == other.wavelength;
    }
};

// The table lines that could explain each measured peak, and for each spectrum among them its
// lines near the peaks, from which the identifier judges which of them should have been seen.
//
// A line is a candidate for a peak when its position lies within the peak's tolerance,
// max(3·uncertainty, 0.5·width): three standard deviations of the fitted centre, but never
// less than half the peak's width, since a centre fitted to a blended or asymmetric peak can be
// off by that much whatever its formal uncertainty. Only lines that pass the current filters
// (selected elements, shown stages, minimum intensity) of active tables count.
//
// Lines that should be visible are looked for within `evidenceReach` Å of each peak (and its
// tolerance), not across the spectrum's whole span: the noise, and so whether a line would
// show, is known only near the peaks, and the work stays bounded by the peaks and not by the
// size of the tables. Each merged window costs one binary search per table and order, then a
// read of the records inside it.
class LineCandidates {
public:
    struct Options {
        std::vector<int> orders{1};   // displayed orders, 1 to 5; others are ignored
        bool ordersAsRatios = false;  // a line of order n is expected at 1/n of its intensity
        double evidenceReach = 1.0;   // Å either side of each peak read for evidence
        SpectrumSettings spectrum;    // the velocity moves lines; a temperature sets intensities
    };

    // `tables` is searched in place (its files' binary searches keep a cache) and must outlive
    // this object, as must `text`.
    LineCandidates(const TextTables& text, TableArray& tables, Options options);

    // How far from a peak's centre a line may lie and still be a candidate (Å).
    static double Tolerance(const MeasuredPeak& peak);

    // Finds the candidates of `peaks` (sorted by centre or not) and the evidence lines.
    void Gather(const std::vector<MeasuredPeak>& peaks);

    // The candidates of each peak, indexed like the peaks given, in no particular order.
    const std::vector<std::vector<CandidateLine>>& ForPeaks() const { return m_forPeaks; }
    // For each spectrum with at least one candidate: its lines in the windows around the peaks,
    // each listed once, in order of position.
    const std::map<SpectrumKey, std::vector<CandidateLine>>& Evidence() const { return m_evidence; }

private:
    std::vector<std::pair<double, double>> Windows(const std::vector<MeasuredPeak>& peaks) const;
    double Intensity(const WaveData& data, bool useRatios);
    void Walk(size_t table, int order, double low, double high);
    void Offer(const CandidateLine& line, const std::vector<MeasuredPeak>& peaks);
    void KeepCandidateSpectra();

    const TextTables& m_text;
    TableArray& m_tables;
    Options m_options;
    const std::vector<MeasuredPeak>* m_peaks = nullptr;
    std::vector<std::pair<double, size_t>> m_byCentre;  // (centre, peak index), ascending
    double m_maxTolerance = 0.0;
    LineEmission m_emission;
    std::vector<double> m_intensities;  // by element and intensity code, -1 until met
    std::vector<std::vector<CandidateLine>> m_forPeaks;
    std::map<SpectrumKey, std::vector<CandidateLine>> m_evidence;
};
