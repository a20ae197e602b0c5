#include "FillMeasurements.h"

#include "Random.h"
#include "Stopwatch.h"
#include "ViewSettings.h"
#include "database/TableArray.h"
#include "database/TextTables.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kRepeats = 5;
constexpr std::chrono::microseconds kBatchBudget{4000};  // one idle tick
constexpr uint64_t kFindSeed = 7;

uint64_t CountPassing(const WavetableFile& file)
{
    uint64_t passing = 0;
    const uint32_t count = file.RecordCount();
    for (uint32_t i = 0; i < count; ++i) {
        passing += file.Passes(file.RecordAt(i).record) ? 1 : 0;
    }
    return passing;
}

uint64_t CountAdmitted(const WavetableFile& file, const ViewSettings& settings,
                       const TextTables& tables)
{
    uint64_t admitted = 0;
    const uint32_t count = file.RecordCount();
    for (uint32_t i = 0; i < count; ++i) {
        admitted += settings.Admits(file.RecordAt(i).record, tables) ? 1 : 0;
    }
    return admitted;
}

bool InOrder(const ValidRecordsArray& list)
{
    for (uint32_t slot = list.First(); !list.IsEmpty() && slot < list.Last(); ++slot) {
        if (list.WavelengthAt(slot) > list.WavelengthAt(slot + 1)) {
            return false;
        }
    }
    return true;
}

ReadAllResult ReadAllOnce(const TextTables& tables, const std::string& folder,
                          const ViewSettings& settings, int32_t middle)
{
    auto array = settings.OpenTables(tables, folder);
    for (size_t i = 0; i < array->FileCount(); ++i) {
        array->FileAt(i).Position(middle);  // Passes() follows the settings from here on
    }
    ReadAllResult result;
    Stopwatch watch;
    for (size_t i = 0; i < array->FileCount(); ++i) {
        result.passing += CountPassing(array->FileAt(i));
        result.records += array->FileAt(i).RecordCount();
    }
    result.seconds = watch.Seconds();
    return result;
}

FillResult FullFillOnce(const TextTables& tables, const std::string& folder,
                        const ViewSettings& settings, int32_t middle)
{
    auto array = settings.OpenTables(tables, folder);
    FillResult result;
    Stopwatch watch;
    array->GoToWavelength(middle);
    for (result.batches = 1; array->Fill(kBatchBudget); ++result.batches) {
    }
    result.seconds = watch.Seconds();
    const ValidRecordsArray& list = array->DisplayList();
    result.lines = list.Count();
    result.memoryBytes = list.MemoryBytes();
    result.inOrder = InOrder(list);
    return result;
}

}  // namespace

ReadAllResult MeasureReadAll(const TextTables& tables, const std::string& folder,
                             const ViewSettings& settings, int32_t middle)
{
    ReadAllResult best = ReadAllOnce(tables, folder, settings, middle);  // warm-up
    for (int i = 0; i < kRepeats; ++i) {
        const ReadAllResult result = ReadAllOnce(tables, folder, settings, middle);
        if (i == 0 || result.seconds < best.seconds) {
            best = result;
        }
    }
    auto array = settings.OpenTables(tables, folder);
    for (size_t i = 0; i < array->FileCount(); ++i) {
        best.admitted += CountAdmitted(array->FileAt(i), settings, tables);
    }
    return best;
}

FillResult MeasureFullFill(const TextTables& tables, const std::string& folder,
                           const ViewSettings& settings, int32_t middle)
{
    FillResult best;
    for (int i = 0; i < kRepeats; ++i) {
        const FillResult result = FullFillOnce(tables, folder, settings, middle);
        if (i == 0 || result.seconds < best.seconds) {
            best = result;
        }
    }
    return best;
}

FindResult MeasureFind(const TextTables& tables, const std::string& folder, int count)
{
    auto array = ViewSettings::Unfiltered().OpenTables(tables, folder);
    WavetableFile& file = array->FileAt(0);
    CountPassing(file);  // maps every page before timing
    const int32_t low = file.WavelengthAt(0);
    const int32_t high = file.WavelengthAt(file.LastIndex());
    Random random(kFindSeed);
    std::vector<int32_t> targets(static_cast<size_t>(count));
    for (int32_t& target : targets) {
        target =
            low + static_cast<int32_t>(random.NextBelow(static_cast<uint32_t>(high - low) + 1));
    }
    FindResult result;
    Stopwatch watch;
    for (const int32_t target : targets) {
        result.misses += file.FindRecord(target) == WavetableFile::kNotFound ? 1 : 0;
    }
    result.microseconds = watch.Seconds() * 1e6 / count;
    return result;
}
