#include "analysis/ElementSummary.h"

#include "database/TextTables.h"
#include "framework/StringUtil.h"

#include <algorithm>

const char* ElementSummary::VerdictText(Verdict verdict)
{
    switch (verdict) {
        case Verdict::kPresent:
            return "present";
        case Verdict::kPossible:
            return "possible";
        case Verdict::kNotSupported:
            break;
    }
    return "not supported";
}

std::string ElementSummary::Name(const SpectrumKey& spectrum, const TextTables& text)
{
    return StripBlanks(text.ElementName(spectrum.element) + " " +
                       text.ValenceName(spectrum.valence));
}

ElementSummary::ElementSummary(const PeakIdentifier& identifier, const TextTables& text)
{
    for (const auto& [key, evidence] : identifier.Spectra()) {
        Spectrum spectrum = Summarise(key, evidence);
        spectrum.name = Name(key, text);
        m_spectra.push_back(std::move(spectrum));
    }
    std::stable_sort(m_spectra.begin(), m_spectra.end(),
                     [](const auto& a, const auto& b) { return a.score > b.score; });
}

ElementSummary::Spectrum ElementSummary::Summarise(const SpectrumKey& key,
                                                   const SpectrumEvidence& evidence)
{
    Spectrum spectrum;
    spectrum.spectrum = key;
    std::vector<const SpectrumEvidence::Line*> missing;
    for (const SpectrumEvidence::Line& line : evidence.Lines()) {
        if (line.found) {
            spectrum.matched.push_back(line.line);
        } else if (line.expected) {
            missing.push_back(&line);
        }
    }
    const size_t shown = std::min(missing.size(), kMissingShown);
    std::partial_sort(
        missing.begin(), missing.begin() + static_cast<std::ptrdiff_t>(shown), missing.end(),
        [](const auto* a, const auto* b) { return a->predictedHeight > b->predictedHeight; });
    for (size_t i = 0; i < shown; ++i) {
        spectrum.missing.push_back(missing[i]->line);
    }
    spectrum.score = 100.0 * evidence.Support();
    const int found = evidence.Found();
    if (found >= kPresentLines && spectrum.score >= kPresentScore) {
        spectrum.verdict = Verdict::kPresent;
    } else if (found >= 1 && spectrum.score >= kPossibleScore) {
        spectrum.verdict = Verdict::kPossible;
    }
    return spectrum;
}
