#include "RawScan.h"

#include "Stopwatch.h"
#include "ViewSettings.h"
#include "database/LineRecord.h"
#include "database/TextTables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRepeats = 5;

struct Filter {
    std::array<bool, 256> element{};
    std::array<bool, 256> valence{};
    double minimumIntensity = 0.0;
};

Filter MakeFilter(const TextTables& tables, const ViewSettings& settings)
{
    Filter filter;
    for (unsigned code = 0; code < filter.element.size(); ++code) {
        filter.element[code] = tables.IsElementSelected(code);
        filter.valence[code] = tables.IsValenceShown(code);
    }
    filter.minimumIntensity = settings.minimumIntensity;
    return filter;
}

std::vector<std::string> TablePaths(const std::string& folder)
{
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".swt" && entry.is_regular_file()) {
            paths.push_back(entry.path().string());
        }
    }
    return paths;
}

uint64_t ScanMapped(const unsigned char* data, uint64_t size, const Filter& filter)
{
    uint64_t passing = 0;
    for (uint64_t offset = 0; offset + LineRecord::kSize <= size; offset += LineRecord::kSize) {
        const unsigned char* bytes = data + offset;
        passing += filter.element[bytes[4]] && filter.valence[bytes[5]] &&
                   bytes[6] >= filter.minimumIntensity;
    }
    return passing;
}

// Maps `path` afresh, as the other measurements open their tables, and scans it.
uint64_t ScanFile(const std::string& path, const Filter& filter)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || info.st_size == 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return 0;
    }
    const auto size = static_cast<uint64_t>(info.st_size);
    void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (mapping == MAP_FAILED) {
        return 0;
    }
    const uint64_t passing = ScanMapped(static_cast<const unsigned char*>(mapping), size, filter);
    ::munmap(mapping, size);
    return passing;
}

}  // namespace

double MeasureRawScan(const TextTables& tables, const std::string& folder,
                      const ViewSettings& settings, uint64_t& passing)
{
    const Filter filter = MakeFilter(tables, settings);
    const std::vector<std::string> paths = TablePaths(folder);
    double best = 0.0;
    for (int i = 0; i < kRepeats; ++i) {
        Stopwatch watch;
        passing = 0;
        for (const std::string& path : paths) {
            passing += ScanFile(path, filter);
        }
        best = i == 0 ? watch.Seconds() : std::min(best, watch.Seconds());
    }
    return best;
}
