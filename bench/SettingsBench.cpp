// spekla-settings-bench: loading, saving and reading settings files a user or a fuzzer may
// have made pathological. Google Benchmark; the figures are per load or per restore.
//
//   spekla-settings-bench [--benchmark_filter=...]

#include "database/DataSources.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/DataColumns.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

constexpr int kManyValues = 100000;
constexpr int kDeepLevels = 100000;

const std::string kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\";

std::string ManyValuesText()
{
    std::string text = kHeader + "Software\\Spekla\\Many]\n";
    for (int i = 0; i < kManyValues; ++i) {
        text += "\"Value " + std::to_string(i) + "\"=dword:0000002a\n";
    }
    return text + "\n";
}

std::string NestedText(int levels, const std::string& name)
{
    std::string text = kHeader + name;
    for (int level = 1; level < levels; ++level) {
        text += "\\" + name;
    }
    return text + "]\n\"v\"=dword:00000001\n\n";
}

void Load(benchmark::State& state, const std::string& text)
{
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    for (auto _ : state) {
        store.LoadText(text);
        benchmark::DoNotOptimize(store.KeyExists("Software"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void LoadManyValuesInOneKey(benchmark::State& state)
{
    Load(state, ManyValuesText());
}

void SaveManyValuesInOneKey(benchmark::State& state)
{
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    store.LoadText(ManyValuesText());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Text());
    }
}

// Kept as text, unread: beyond the 512 levels the registry allows.
void LoadKeyNestedFarTooDeep(benchmark::State& state)
{
    Load(state, NestedText(kDeepLevels, "k"));
}

// The worst key that is read: 512 levels of 255-character names, each level a key of its own.
void LoadDeepestLongestKey(benchmark::State& state)
{
    Load(state, NestedText(static_cast<int>(SettingsStore::kMaxKeyDepth),
                           std::string(SettingsStore::kMaxKeyNameLength, 'n')));
}

// Counts of ffffffff under Sources and Data Window beside a few real entries.
void RestoreWithHugeCounts(benchmark::State& state)
{
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    store.LoadText(kHeader +
                   "Software\\Spekla\\Sources]\n\"Files\"=dword:ffffffff\n\"File 0\"=\"a.swt\"\n"
                   "\"File 1\"=\"b.swt\"\n\n" +
                   kHeader +
                   "Software\\Spekla\\Data Window]\n\"Columns\"=dword:00010003\n"
                   "\"Column 2 text\"=\"a\"\n\n");
    TextTables text;
    TableArray tables(text);
    DataColumns columns(80, 60);
    for (auto _ : state) {
        DataSources::Restore(tables, store);
        columns.Restore(store, tables);
        benchmark::DoNotOptimize(columns.Columns().size());
    }
}

}  // namespace

BENCHMARK(LoadManyValuesInOneKey)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveManyValuesInOneKey)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadKeyNestedFarTooDeep)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDeepestLongestKey)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreWithHugeCounts)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
