#include "TiedFill.h"

#include "ViewSettings.h"
#include "database/LineRecord.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdlib.h>
#include <vector>

namespace {

constexpr int32_t kWavelength = 5'000'000;  // 5000 Å
constexpr uint32_t kRecordsPerWrite = 65536;

// The lines differ in element and stage, as several sources' lines at one wavelength would.
bool WriteTiedTable(const std::string& path, uint32_t records)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::vector<unsigned char> buffer(size_t{kRecordsPerWrite} * LineRecord::kSize);
    bool ok = true;
    for (uint32_t done = 0; done < records && ok;) {
        const uint32_t count = std::min(kRecordsPerWrite, records - done);
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t n = done + i;
            LineRecord line;
            line.wavelength = kWavelength;
            line.elementCode = static_cast<uint8_t>(1 + n % 90);
            line.valenceCode = static_cast<uint8_t>(1 + n / 90 % 3);
            line.intensityCode = 30;
            line.ToBytes(buffer.data() + size_t{i} * LineRecord::kSize);
        }
        ok = std::fwrite(buffer.data(), LineRecord::kSize, count, file) == count;
        done += count;
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace

FillResult MeasureTiedFill(const TextTables& tables, uint32_t records)
{
    std::string folder = (std::filesystem::temp_directory_path() / "spekla-tied.XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return {};
    }
    FillResult result;
    if (WriteTiedTable(folder + "/tied.swt", records)) {
        result = MeasureFullFill(tables, folder, ViewSettings::Unfiltered(), kWavelength);
    }
    std::filesystem::remove_all(folder);
    return result;
}
