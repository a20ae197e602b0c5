#pragma once

#include <string>

class Identification;
class TableArray;
class TextTables;

// The peaks of an identification as tab-separated text: a header line, then one row per
// candidate, best first (Rank 1), and a row of Rank 0 with empty candidate fields for a peak
// without candidates. Wavelengths (the peak's centre and the candidate's own) are in the units
// and decimals the list shows; stages in roman numerals as in the data export.
namespace PeaksExport {

inline constexpr const char* kHeader =
    "Peak\tHeight\tS/N\tRank\tWavelength\tElement\tValence\tSource\tScore\n";

std::string Text(const Identification& identification, const TextTables& text,
                 const TableArray& tables);

}  // namespace PeaksExport
