// spekla-bench-gen: writes a synthetic wavelength table and its ELEMENTS file.
//
//   spekla-bench-gen FOLDER [RECORDS [SEED]]
//
// FOLDER receives synthetic.swt (RECORDS 9-byte line records, 10,000,000 unless given, sorted by
// wavelength) and ELEMENTS (90 elements, H to Th). The same RECORDS and SEED give the same files.

#include "LineGenerator.h"
#include "PeriodicElements.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr uint64_t kDefaultRecords = 10'000'000;
constexpr uint64_t kDefaultSeed = 20240611;
constexpr size_t kRecordsPerWrite = 65536;

// What the written table holds, for the caller to judge the data against what it asked for.
struct TableSummary {
    uint64_t records = 0;
    uint64_t sharingWavelength = 0;  // lines with a neighbour of the same wavelength
    uint64_t inCentralBand = 0;      // 2000 to 9000 Å
    int32_t lowest = 0;
    int32_t highest = 0;
    int32_t runLength = 0;  // current run of equal wavelengths

    void Add(const LineRecord& line)
    {
        if (records > 0 && line.wavelength == highest) {
            sharingWavelength += runLength == 1 ? 2 : 1;
            ++runLength;
        } else {
            runLength = 1;
        }
        if (records == 0) {
            lowest = line.wavelength;
        }
        highest = line.wavelength;
        inCentralBand += line.wavelength >= 2'000'000 && line.wavelength < 9'000'000;
        ++records;
    }
};

bool WriteTable(const std::string& path, uint64_t count, uint64_t seed, TableSummary& summary)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    LineGenerator generator(count, seed);
    std::vector<unsigned char> buffer(kRecordsPerWrite * LineRecord::kSize);
    bool ok = true;
    for (uint64_t done = 0; done < count && ok;) {
        const size_t batch =
            static_cast<size_t>(std::min<uint64_t>(kRecordsPerWrite, count - done));
        for (size_t i = 0; i < batch; ++i) {
            const LineRecord line = generator.Next();
            line.ToBytes(&buffer[i * LineRecord::kSize]);
            summary.Add(line);
        }
        ok = std::fwrite(buffer.data(), LineRecord::kSize, batch, file) == batch;
        done += batch;
    }
    return std::fclose(file) == 0 && ok;
}

bool WriteElements(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << PeriodicElements::ElementsText();
    out.close();
    return static_cast<bool>(out);
}

void PrintSummary(const TableSummary& summary, double seconds)
{
    const double records = static_cast<double>(summary.records);
    std::printf("# generated %llu records (%.1f MB) in %.2f s\n",
                static_cast<unsigned long long>(summary.records), records * LineRecord::kSize / 1e6,
                seconds);
    std::printf("# wavelengths %.3f to %.3f A; %.1f%% between 2000 and 9000 A\n",
                summary.lowest / 1000.0, summary.highest / 1000.0,
                100.0 * static_cast<double>(summary.inCentralBand) / records);
    std::printf("# lines sharing a wavelength with a neighbour: %.2f%%\n",
                100.0 * static_cast<double>(summary.sharingWavelength) / records);
}

bool ParseCount(const char* text, uint64_t& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv)
{
    uint64_t count = kDefaultRecords;
    uint64_t seed = kDefaultSeed;
    if (argc < 2 || argc > 4 || (argc >= 3 && (!ParseCount(argv[2], count) || count == 0)) ||
        (argc == 4 && !ParseCount(argv[3], seed))) {
        std::cerr << "usage: spekla-bench-gen FOLDER [RECORDS [SEED]]\n";
        return 2;
    }
    const std::string folder = argv[1];
    const auto start = std::chrono::steady_clock::now();
    TableSummary summary;
    if (!WriteTable(folder + "/synthetic.swt", count, seed, summary)) {
        std::cerr << "spekla-bench-gen: cannot write " << folder << "/synthetic.swt\n";
        return 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WriteElements(folder + "/ELEMENTS")) {
        std::cerr << "spekla-bench-gen: cannot write " << folder << "/ELEMENTS\n";
        return 1;
    }
    PrintSummary(summary, elapsed.count());
    return 0;
}
