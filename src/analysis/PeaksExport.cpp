#include "analysis/PeaksExport.h"

#include "analysis/Identification.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "framework/NumberFormat.h"

namespace PeaksExport {

std::string Text(const Identification& identification, const TextTables& text,
                 const TableArray& tables)
{
    const DisplaySettings& settings = tables.Settings();
    std::string out = kHeader;
    const auto& peaks = identification.Peaks();
    for (size_t i = 0; i < peaks.size(); ++i) {
        const MeasuredPeak& peak = peaks[i];
        const std::string start = FormatWavelength(peak.centre, settings) + '\t' +
                                  FormatDefault(peak.height) + '\t' +
                                  FormatFixed(peak.signalToNoise, 1) + '\t';
        const auto& candidates = identification.Candidates()[i];
        if (candidates.empty()) {
            out += start + "0\t\t\t\t\t\n";
        }
        for (size_t rank = 0; rank < candidates.size(); ++rank) {
            const CandidateLine& line = candidates[rank].line;
            out += start + std::to_string(rank + 1) + '\t' +
                   FormatWavelength(line.wavelength, settings) + '\t' +
                   text.ElementName(line.spectrum.element) + '\t' +
                   text.ValenceName(line.spectrum.valence) + '\t' +
                   tables.FileAt(line.table).Label() + '\t' +
                   FormatFixed(candidates[rank].score, 1) + '\n';
        }
    }
    return out;
}

}  // namespace PeaksExport
