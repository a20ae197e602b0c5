// spekla-identify-bench: the identification of 1,000 measured peaks spread over a table.
//
//   spekla-identify-bench FOLDER
//
// FOLDER holds the tables and ELEMENTS (as spekla-bench-gen writes them). The peaks sit a few
// milli-Å beside lines picked evenly by record index, so that they follow the table's density.
// Prints the median of five complete runs (candidates, ranking, summary) in seconds.
#include "Stopwatch.h"
#include "analysis/ElementSummary.h"
#include "analysis/LineCandidates.h"
#include "analysis/PeakIdentifier.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t kPeaks = 1000;
constexpr int kRuns = 5;

std::vector<MeasuredPeak> SpreadPeaks(WavetableFile& file)
{
    std::vector<MeasuredPeak> peaks;
    const uint32_t count = file.RecordCount();
    for (size_t i = 0; i < kPeaks; ++i) {
        const auto index = static_cast<uint32_t>((i + 0.5) * count / kPeaks);
        const LineRecord line = file.RecordAt(index).record;
        const double height = 100.0 * std::max(1.0, LinearIntensity(line.intensityCode));
        peaks.push_back({line.wavelength * 0.001 + 0.002, 0.003, height, 0.02, 10.0, 50.0});
    }
    return peaks;
}

struct Run {
    double seconds = 0.0;
    size_t candidates = 0;
    size_t spectra = 0;
};

Run Identify(const TextTables& text, TableArray& tables, const std::vector<MeasuredPeak>& peaks)
{
    const Stopwatch clock;
    LineCandidates candidates(text, tables, {});
    candidates.Gather(peaks);
    PeakIdentifier identifier;
    identifier.Identify(peaks, candidates);
    const ElementSummary summary(identifier, text);
    Run run{clock.Seconds(), 0, summary.Spectra().size()};
    for (const auto& lines : candidates.ForPeaks()) {
        run.candidates += lines.size();
    }
    return run;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spekla-identify-bench FOLDER\n");
        return 2;
    }
    TextTables text;
    text.Load(argv[1]);
    TableArray tables(text);
    tables.ScanDirectory(argv[1]);
    if (tables.FileCount() == 0 || tables.FileAt(0).RecordCount() < kPeaks) {
        std::fprintf(stderr, "spekla-identify-bench: %s holds no table of %zu lines or more\n",
                     argv[1], kPeaks);
        return 2;
    }
    tables.Rebuild();
    const auto peaks = SpreadPeaks(tables.FileAt(0));
    std::vector<Run> runs;
    for (int i = 0; i < kRuns; ++i) {
        runs.push_back(Identify(text, tables, peaks));
    }
    std::ranges::sort(runs, {}, &Run::seconds);
    const Run& median = runs[kRuns / 2];
    std::printf("identify_1000_s: %.3f\n", median.seconds);
    std::printf("  (%zu records, %zu candidates, %zu spectra with a candidate)\n",
                static_cast<size_t>(tables.FileAt(0).RecordCount()), median.candidates,
                median.spectra);
    return 0;
}
