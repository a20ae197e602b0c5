#pragma once

#include "analysis/PeakIdentifier.h"

#include <string>
#include <vector>

class TextTables;

// Which spectra the measured peaks support, for a table the user reads beside the peaks.
//
// score = 100 · (found + 1) / (expected + 2), from the identifier's second pass: found lines
// are those whose spectrum ranked first at their peak; expected ones those predicted at least
// three times the noise near them (see PeakIdentifier). The verdict:
//  - "present": at least kPresentLines (3) found lines and a score of at least kPresentScore
//    (50): several lines, and no more missing than found;
//  - "possible": at least one found line and a score of at least kPossibleScore (25);
//  - "not supported": otherwise, as for a spectrum whose lines only lie near peaks that
//    another spectrum explains better.
class ElementSummary {
public:
    static constexpr int kPresentLines = 3;
    static constexpr double kPresentScore = 50.0;
    static constexpr double kPossibleScore = 25.0;
    static constexpr size_t kMissingShown = 5;

    enum class Verdict { kPresent, kPossible, kNotSupported };
    static const char* VerdictText(Verdict verdict);
    // "Fe II"; the element alone for lines without a stage.
    static std::string Name(const SpectrumKey& spectrum, const TextTables& text);

    struct Spectrum {
        SpectrumKey spectrum;
        std::string name;  // element and stage, as "Fe II"
        std::vector<CandidateLine> matched;
        std::vector<CandidateLine> missing;  // the strongest predicted first, at most kMissingShown
        double score = 0.0;
        Verdict verdict = Verdict::kNotSupported;
    };

    ElementSummary(const PeakIdentifier& identifier, const TextTables& text);

    // Best score first.
    const std::vector<Spectrum>& Spectra() const { return m_spectra; }

private:
    static Spectrum Summarise(const SpectrumKey& key, const SpectrumEvidence& evidence);

    std::vector<Spectrum> m_spectra;
};
