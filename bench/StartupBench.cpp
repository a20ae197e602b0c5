// spekla-startup-bench: measures the time from starting the program to the first complete paint.
//
//   spekla-startup-bench [RECORDS [RUNS]]
//
// Makes an installation of ten tables of RECORDS lines each (1,000,000 unless given) in a
// temporary folder, then starts the program RUNS times (5 unless given), offscreen, each time in
// a new process with a settings folder of its own. "startup_ms" runs from just before the
// process is created to the moment the element window, the line list (filled to a screenful)
// and the graph (its pass complete) have all painted, on a first start (no settings: the list
// opens at the first line, where the tables are sparse); "startup_restored_ms" is the same for
// a start where an earlier session left off at 5000 A, in the dense middle of the tables. Each run
// is printed with the load average, then the median and the split: main entered, QApplication made,
// InitInstance returned, first paint of all three panes. The tables are in the page cache (just
// written): a warm start.
//
//   spekla-startup-bench --shared-lines [RECORDS [RUNS]]
//
// measures the returning start alone, as "startup10_ms", in an installation whose ten tables are
// copies of one: every line is listed by all ten sources.
//
//   spekla-startup-bench --child FOLDER STAMP
//
// is one such start (STAMP: CLOCK_MONOTONIC in ns), printing its figures.

#include "StartupChild.h"
#include "StartupClock.h"
#include "StartupInstallation.h"
#include "StartupLauncher.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/SettingsStore.h"
#include "workspace/WorkspaceState.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include <QString>

namespace {

constexpr int kTables = 10;
constexpr uint64_t kDefaultRecords = 1'000'000;
constexpr int kDefaultRuns = 5;
constexpr int32_t kRestoredWavelength = 5'000'000;  // 0.001 A: among the dense middle lines
constexpr const char* kSplit[] = {"main_entered_ms", "app_constructed_ms", "init_returned_ms",
                                  "first_paint_ms"};

// One way of starting: a first start, or a start with what an earlier session saved.
struct Scenario {
    std::string title;
    std::string figure;    // the name the median is printed under
    std::string settings;  // the settings file the program finds; empty for none
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// The 1, 5 and 15 minute load averages.
std::string Load()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return in ? one + " " + five + " " + fifteen : "unknown";
}

std::string OwnExecutable()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    path.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return path;
}

bool ParseNumber(const char* text, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value > 0;
}

// The settings a session leaves when it ends at `wavelength`, made by the program's own code.
std::string SettingsAt(const std::string& installation, int32_t wavelength)
{
    TextTables text;
    text.Load(installation);
    TableArray tables(text);
    tables.ScanDirectory(installation);
    tables.GoToWavelength(wavelength);
    SettingsStore store(SettingsStore::Root::CurrentUser, std::string());
    WorkspaceState().Save(store, text, tables);
    return store.Text();
}

void PrintRun(int run, const StartupLauncher::Result& result)
{
    const auto& f = result.figures;
    std::printf(
        "# run %d: startup_ms %.1f  (main %.1f, QApplication %.1f, InitInstance %.1f, "
        "first paint %.1f)  load %s\n",
        run, f.at("startup_ms"), f.at("main_entered_ms"), f.at("app_constructed_ms"),
        f.at("init_returned_ms"), f.at("first_paint_ms"), Load().c_str());
    std::fflush(stdout);
}

double MedianOf(const std::vector<StartupLauncher::Result>& runs, const std::string& name)
{
    std::vector<double> values;
    for (const auto& run : runs) {
        values.push_back(run.figures.at(name));
    }
    return Median(values);
}

void PrintMedians(const Scenario& scenario, const std::vector<StartupLauncher::Result>& runs)
{
    std::printf("%s: %.1f\n", scenario.figure.c_str(), MedianOf(runs, "startup_ms"));
    std::printf("# median of %zu runs, split:", runs.size());
    for (const char* name : kSplit) {
        std::printf(" %s %.1f", name, MedianOf(runs, name));
    }
    std::printf("\n");
    for (const std::string& note : runs.back().notes) {
        std::printf("# last run: %s\n", note.c_str());
    }
    std::printf("# load average now %s (1, 5, 15 min), %ld processors\n", Load().c_str(),
                ::sysconf(_SC_NPROCESSORS_ONLN));
    std::fflush(stdout);
}

bool MeasureScenario(const Scenario& scenario, const std::string& installation, int runs)
{
    std::printf("# %s\n", scenario.title.c_str());
    const StartupLauncher launcher(OwnExecutable(), installation, scenario.settings);
    std::vector<StartupLauncher::Result> results;
    for (int run = 1; run <= runs; ++run) {
        std::string error;
        auto result = launcher.Run(&error);
        if (!result) {
            std::fprintf(stderr, "spekla-startup-bench: run %d: %s\n", run, error.c_str());
            return false;
        }
        PrintRun(run, *result);
        results.push_back(std::move(*result));
    }
    PrintMedians(scenario, results);
    return true;
}

int Measure(uint64_t records, int runs, StartupInstallation::Lines lines)
{
    const bool shared = lines == StartupInstallation::Lines::Shared;
    std::printf("# startup: %d tables x %llu records%s, offscreen, warm page cache, load %s\n",
                kTables, static_cast<unsigned long long>(records), shared ? ", copies of one" : "",
                Load().c_str());
    std::fflush(stdout);
    const StartupInstallation installation(kTables, records, lines);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const std::string restored = SettingsAt(installation.Path(), kRestoredWavelength);
    std::vector<Scenario> scenarios;
    if (!shared) {
        scenarios.push_back({"first start: no settings, the list starts at the tables' first line",
                             "startup_ms", ""});
    }
    scenarios.push_back({"returning start: the settings of a session that ended at 5000 A",
                         shared ? "startup10_ms" : "startup_restored_ms", restored});
    for (const Scenario& scenario : scenarios) {
        if (!MeasureScenario(scenario, installation.Path(), runs)) {
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int64_t mainEntered = StartupClock::Now();
    long long stamp = 0;
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0 && ParseNumber(argv[3], stamp)) {
        return StartupChild(stamp, mainEntered).Run(argv[0], QString::fromLocal8Bit(argv[2]));
    }
    const bool shared = argc >= 2 && std::strcmp(argv[1], "--shared-lines") == 0;
    const int first = shared ? 2 : 1;  // the first number's argument
    long long records = kDefaultRecords;
    long long runs = kDefaultRuns;
    if (argc > first + 2 || (argc > first && !ParseNumber(argv[first], records)) ||
        (argc == first + 2 && (!ParseNumber(argv[first + 1], runs) || runs > 1000))) {
        std::fprintf(stderr, "usage: spekla-startup-bench [--shared-lines] [RECORDS [RUNS]]\n");
        return 2;
    }
    try {
        return Measure(
            static_cast<uint64_t>(records), static_cast<int>(runs),
            shared ? StartupInstallation::Lines::Shared : StartupInstallation::Lines::Interleaved);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "spekla-startup-bench: %s\n", error.what());
        return 1;
    }
}
