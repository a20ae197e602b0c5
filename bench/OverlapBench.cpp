// spekla-overlap-bench: measures the line database on tables that all list the same lines, as
// when sources overlap.
//
//   spekla-overlap-bench FOLDER
//
// FOLDER holds ELEMENTS and the tables (bench/run puts ten copies of one table there). Prints
// "name: value" lines, named for ten tables, and "# " lines with context; exits with 1 when the
// display list does not hold every record of every table.

#include "CpuStopwatch.h"
#include "NearestMeasurement.h"
#include "ResidentMemory.h"
#include "Stopwatch.h"
#include "ViewSettings.h"
#include "database/TableArray.h"
#include "database/TextTables.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr std::chrono::microseconds kBatchBudget{4000};  // one idle tick, as in fill_all_s
constexpr int kNearestTargets = 200;
constexpr uint32_t kNearestLines = 100;

struct OverlapFill {
    double cpuSeconds = 0.0;
    double wallSeconds = 0.0;
    uint64_t records = 0;  // of every table together
    size_t tables = 0;
    uint32_t lines = 0;
    size_t listBytes = 0;
    uint64_t batches = 0;
    ResidentMemory before;  // the process before opening the tables
    ResidentMemory after;   // with the tables open and the list complete
};

int32_t MiddleWavelength(const TextTables& tables, const std::string& folder)
{
    auto array = ViewSettings::Unfiltered().OpenTables(tables, folder);
    if (array->FileCount() == 0 || array->FileAt(0).RecordCount() == 0) {
        return 0;
    }
    return array->FileAt(0).WavelengthAt(array->FileAt(0).RecordCount() / 2);
}

// One unfiltered fill as the idle driver runs it, timed from opening the tables; the memory is
// read while they are still open. Run first, so that nothing freed earlier sits in the figure.
OverlapFill MeasureFill(const TextTables& tables, const std::string& folder, int32_t middle)
{
    OverlapFill result;
    result.before = ResidentMemory::Now();
    const CpuStopwatch cpu;
    const Stopwatch wall;
    auto array = ViewSettings::Unfiltered().OpenTables(tables, folder);
    array->GoToWavelength(middle);
    for (result.batches = 1; array->Fill(kBatchBudget); ++result.batches) {
    }
    result.cpuSeconds = cpu.Seconds();
    result.wallSeconds = wall.Seconds();
    result.after = ResidentMemory::Now();
    result.tables = array->FileCount();
    for (size_t i = 0; i < array->FileCount(); ++i) {
        result.records += array->FileAt(i).RecordCount();
    }
    result.lines = array->DisplayList().Count();
    result.listBytes = array->DisplayList().MemoryBytes();
    return result;
}

void Print(const OverlapFill& fill, const NearestResult& filtered, const NearestResult& all)
{
    std::printf("fill10_s: %.3f\n", fill.cpuSeconds);
    std::printf("list10_bytes_per_line: %.2f\n",
                fill.lines > 0 ? static_cast<double>(fill.listBytes) / fill.lines : 0.0);
    std::printf("rss10_mb: %.1f\n", static_cast<double>(fill.after.OwnBytes()) / 1e6);
    std::printf("nearest100_10_ms: %.4f\n", filtered.meanMilliseconds);
    std::printf("# overlap: %zu tables, %llu records, every line in each; warm page cache\n",
                fill.tables, static_cast<unsigned long long>(fill.records));
    std::printf(
        "# fill10: process CPU time of one run (user + system), opening the tables to "
        "the complete unfiltered list; wall %.3f s; %u lines in %llu batches\n",
        fill.wallSeconds, fill.lines, static_cast<unsigned long long>(fill.batches));
    std::printf("# list10: %.1f KB\n", static_cast<double>(fill.listBytes) / 1e3);
    std::printf(
        "# rss10: VmRSS %.1f MB less RssFile %.1f MB (program, libraries, mapped "
        "tables); before opening: VmRSS %.1f MB, RssFile %.1f MB\n",
        static_cast<double>(fill.after.total) / 1e6, static_cast<double>(fill.after.file) / 1e6,
        static_cast<double>(fill.before.total) / 1e6, static_cast<double>(fill.before.file) / 1e6);
    std::printf(
        "# nearest100_10: filtered view as nearest100_ms, %d targets, max %.4f ms, "
        "mean %.1f fill steps; unfiltered: mean %.4f ms, max %.4f ms\n",
        filtered.targets, filtered.maxMilliseconds, filtered.meanSteps, all.meanMilliseconds,
        all.maxMilliseconds);
    std::printf(
        "# targets: fill10_s <= 3, rss10_mb <= 400, nearest100_10_ms <= 1, "
        "startup10_ms <= 500\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spekla-overlap-bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    TextTables tables;
    tables.Load(folder);
    const int32_t middle = MiddleWavelength(tables, folder);
    if (tables.ElementTable.empty() || middle == 0) {
        std::fprintf(stderr, "spekla-overlap-bench: %s holds no ELEMENTS or no table\n",
                     folder.c_str());
        return 2;
    }
    ViewSettings::Unfiltered().Apply(tables);
    const OverlapFill fill = MeasureFill(tables, folder, middle);
    const NearestResult all =
        MeasureNearest(tables, folder, ViewSettings::Unfiltered(), kNearestTargets, kNearestLines);
    const ViewSettings filtered = ViewSettings::Filtered();
    filtered.Apply(tables);
    const NearestResult nearest =
        MeasureNearest(tables, folder, filtered, kNearestTargets, kNearestLines);
    Print(fill, nearest, all);
    const bool complete = fill.lines == fill.records && nearest.unreached == 0;
    if (!complete) {
        std::printf("# check failed: the list holds every record, every target reached\n");
    }
    return complete ? 0 : 1;
}
