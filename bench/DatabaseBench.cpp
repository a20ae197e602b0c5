// spekla-bench: measures the line database on the tables of one folder.
//
//   spekla-bench FOLDER
//
// FOLDER holds ELEMENTS and one or more .swt tables (spekla-bench-gen makes them). Prints one
// "name: value" line per figure and "# " lines with counts and context. The exit status is 1
// when a consistency check on the results fails (the figures are printed all the same).

#include "FillMeasurements.h"
#include "NearestMeasurement.h"
#include "RawScan.h"
#include "TiedFill.h"
#include "ViewSettings.h"
#include "database/TableArray.h"
#include "database/TextTables.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kNearestTargets = 200;
constexpr uint32_t kNearestLines = 100;
constexpr int kFindTargets = 200000;
constexpr uint32_t kTiedRecords = 10'000'000;

struct Figures {
    ReadAllResult read;
    FillResult filtered;
    FillResult all;
    FillResult tied;  // every line at one wavelength
    NearestResult nearest;
    FindResult find;
    double rawScanSeconds = 0.0;
    uint64_t rawScanPassing = 0;
};

// The wavelength of the first table's middle record; 0 when there is no table.
int32_t MiddleWavelength(const TextTables& tables, const std::string& folder)
{
    auto array = ViewSettings::Unfiltered().OpenTables(tables, folder);
    if (array->FileCount() == 0 || array->FileAt(0).RecordCount() == 0) {
        return 0;
    }
    return array->FileAt(0).WavelengthAt(array->FileAt(0).RecordCount() / 2);
}

Figures Measure(TextTables& tables, const std::string& folder, int32_t middle)
{
    Figures figures;
    const ViewSettings filtered = ViewSettings::Filtered();
    for (const std::string& name : filtered.Apply(tables)) {
        std::printf("# warning: element %s is not in ELEMENTS\n", name.c_str());
    }
    figures.read = MeasureReadAll(tables, folder, filtered, middle);
    figures.rawScanSeconds = MeasureRawScan(tables, folder, filtered, figures.rawScanPassing);
    figures.filtered = MeasureFullFill(tables, folder, filtered, middle);
    // The filtered view, as the nearest lines are what a user sees first after a jump.
    figures.nearest = MeasureNearest(tables, folder, filtered, kNearestTargets, kNearestLines);
    const ViewSettings unfiltered = ViewSettings::Unfiltered();
    unfiltered.Apply(tables);
    figures.all = MeasureFullFill(tables, folder, unfiltered, middle);
    figures.find = MeasureFind(tables, folder, kFindTargets);
    figures.tied = MeasureTiedFill(tables, kTiedRecords);
    return figures;
}

void PrintFigures(const Figures& f)
{
    std::printf("nearest100_ms: %.4f\n", f.nearest.meanMilliseconds);
    std::printf("read_all_s: %.4f\n", f.read.seconds);
    std::printf("fill_filtered_s: %.4f\n", f.filtered.seconds);
    std::printf("fill_ratio: %.2f\n", f.filtered.seconds / f.read.seconds);
    std::printf("fill_all_s: %.4f\n", f.all.seconds);
    std::printf("bytes_per_line: %.2f\n",
                f.all.lines > 0 ? static_cast<double>(f.all.memoryBytes) / f.all.lines : 0.0);
    std::printf("find_us: %.3f\n", f.find.microseconds);
    std::printf("fill_tied_s: %.4f\n", f.tied.seconds);
    std::printf("fill_tied_ns_per_line: %.2f\n", 1e9 * f.tied.seconds / kTiedRecords);
}

void PrintContext(const Figures& f, int32_t middle)
{
    std::printf("# records: %llu\n", static_cast<unsigned long long>(f.read.records));
    std::printf("# passing (filtered): %llu (%.2f%%)\n",
                static_cast<unsigned long long>(f.read.passing),
                100.0 * static_cast<double>(f.read.passing) / static_cast<double>(f.read.records));
    std::printf(
        "# raw scan of the mapped file, decoding and filter inlined: %.4f s (%.2f ns/record)\n",
        f.rawScanSeconds, 1e9 * f.rawScanSeconds / static_cast<double>(f.read.records));
    std::printf("# read_all per record: %.2f ns; fill_filtered per record: %.2f ns\n",
                1e9 * f.read.seconds / static_cast<double>(f.read.records),
                1e9 * f.filtered.seconds / static_cast<double>(f.read.records));
    std::printf("# middle wavelength: %.3f A\n", middle / 1000.0);
    std::printf("# filtered fill: %u lines in %llu batches; unfiltered fill: %u lines in %llu\n",
                f.filtered.lines, static_cast<unsigned long long>(f.filtered.batches), f.all.lines,
                static_cast<unsigned long long>(f.all.batches));
    std::printf("# tied fill: %u lines at 5000 A in %llu batches\n", f.tied.lines,
                static_cast<unsigned long long>(f.tied.batches));
    std::printf("# unfiltered list memory: %.1f MB\n",
                static_cast<double>(f.all.memoryBytes) / 1e6);
    std::printf("# nearest100: %d targets, max %.4f ms, mean %.1f fill steps, %d without rebuild\n",
                f.nearest.targets, f.nearest.maxMilliseconds, f.nearest.meanSteps,
                f.nearest.withoutRebuild);
    std::printf("# timings: best of 5 (nearest100: mean of all targets, find: mean of %d)\n",
                kFindTargets);
}

// Results that contradict each other point at a fault in the code measured.
bool Consistent(const Figures& f)
{
    const bool checks[] = {f.read.passing == f.read.admitted,
                           f.rawScanPassing == f.read.passing,
                           f.filtered.lines == f.read.passing,
                           f.all.lines == f.read.records,
                           f.filtered.inOrder,
                           f.all.inOrder,
                           f.nearest.unreached == 0,
                           f.find.misses == 0,
                           f.tied.lines == kTiedRecords && f.tied.inOrder};
    const char* const names[] = {"filter agrees with the settings",
                                 "raw scan agrees with the filter",
                                 "filtered list holds every passing line",
                                 "unfiltered list holds every record",
                                 "filtered list in order",
                                 "unfiltered list in order",
                                 "every nearest100 target reached",
                                 "every find inside the range found a record",
                                 "tied list holds every line, in order"};
    bool ok = true;
    for (size_t i = 0; i < std::size(checks); ++i) {
        if (!checks[i]) {
            std::printf("# check failed: %s\n", names[i]);
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spekla-bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    TextTables tables;
    tables.Load(folder);
    const int32_t middle = MiddleWavelength(tables, folder);
    if (tables.ElementTable.empty() || middle == 0) {
        std::fprintf(stderr, "spekla-bench: %s holds no ELEMENTS or no table\n", folder.c_str());
        return 2;
    }
    const Figures figures = Measure(tables, folder, middle);
    PrintFigures(figures);
    PrintContext(figures, middle);
    return Consistent(figures) ? 0 : 1;
}
