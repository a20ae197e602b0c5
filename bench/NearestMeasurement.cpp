#include "NearestMeasurement.h"

#include "Random.h"
#include "Stopwatch.h"
#include "ViewSettings.h"
#include "database/TableArray.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint64_t kTargetSeed = 11;

// Every record at `wavelength` has been read: each active file has read a record below it and
// one above it.
bool FullyRead(TableArray& array, int32_t wavelength)
{
    for (size_t i = 0; i < array.FileCount(); ++i) {
        WavetableFile& file = array.FileAt(i);
        if (file.IsActive() && !(file.Contains(wavelength - 1) && file.Contains(wavelength + 1))) {
            return false;
        }
    }
    return true;
}

std::vector<int32_t> MiddleTargets(WavetableFile& file, int count)
{
    Random random(kTargetSeed);
    const uint32_t quarter = file.RecordCount() / 4;
    std::vector<int32_t> targets(static_cast<size_t>(count));
    for (int32_t& target : targets) {
        target = file.WavelengthAt(quarter + random.NextBelow(2 * quarter));
    }
    return targets;
}

// Empties the list far from the middle, so that the next target needs a rebuild.
void Park(TableArray& array)
{
    array.GoToWavelength(0);
}

// Fill steps needed after GoToWavelength(target), checking after every step.
int StepsNeeded(TableArray& array, int32_t target, uint32_t lines)
{
    array.GoToWavelength(target);
    int steps = 0;
    while (!HoldsSettledLines(array, lines)) {
        ++steps;
        if (!array.FillStep()) {
            break;
        }
    }
    return steps;
}

}  // namespace

bool HoldsSettledLines(TableArray& array, uint32_t count)
{
    const ValidRecordsArray& list = array.DisplayList();
    if (list.Count() < count) {
        return false;  // the usual answer, at the cost of a comparison
    }
    // The lines fully read form one run; only lines at the list's ends can be outside it.
    uint32_t low = list.First();
    uint32_t high = list.Last();
    while (low <= high && !FullyRead(array, list.WavelengthAt(low))) {
        ++low;
    }
    while (high >= low && !FullyRead(array, list.WavelengthAt(high))) {
        --high;
    }
    return low <= high && high - low + 1 >= count;
}

// The untimed pass checks after every fill step and records how many each target needed; the
// timed pass repeats it step for step without the checks, so their cost stays out of the figure.
// Both passes start parked at the same place and meet the same targets in the same order, so
// the same steps give the same lists. The untimed pass also warms what the timed one reads.
NearestResult MeasureNearest(const TextTables& tables, const std::string& folder,
                             const ViewSettings& settings, int targets, uint32_t lines)
{
    auto array = settings.OpenTables(tables, folder);
    const std::vector<int32_t> wavelengths = MiddleTargets(array->FileAt(0), targets);
    Park(*array);
    std::vector<int> steps;
    for (const int32_t target : wavelengths) {
        steps.push_back(StepsNeeded(*array, target, lines));
    }
    NearestResult result;
    result.targets = targets;
    Park(*array);
    for (size_t i = 0; i < wavelengths.size(); ++i) {
        Stopwatch watch;
        array->GoToWavelength(wavelengths[i]);
        const bool rebuilt = array->DisplayList().Count() <= 2;
        for (int step = 0; step < steps[i]; ++step) {
            array->FillStep();
        }
        const double milliseconds = watch.Seconds() * 1e3;
        result.meanMilliseconds += milliseconds / targets;
        result.maxMilliseconds = std::max(result.maxMilliseconds, milliseconds);
        result.meanSteps += static_cast<double>(steps[i]) / targets;
        result.withoutRebuild += rebuilt ? 0 : 1;
        result.unreached += HoldsSettledLines(*array, lines) ? 0 : 1;
    }
    return result;
}
