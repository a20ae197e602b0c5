#include "StartupInstallation.h"

#include "LineGenerator.h"
#include "PeriodicElements.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr uint64_t kFirstSeed = 20240611;
constexpr size_t kRecordsPerWrite = 65536;
// The generator's records use description codes up to 30 and reference codes up to 100.
constexpr int kDescriptions = 30;
constexpr int kReferences = 100;

std::string TableName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "table%02d.swt", number);
    return name;
}

}  // namespace

StartupInstallation::StartupInstallation(int tables, uint64_t records, Lines lines)
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "spekla-startup-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
    for (int i = 1; i <= tables; ++i) {
        if (lines == Lines::Shared && i > 1) {
            std::filesystem::copy_file(m_path + "/" + TableName(1), m_path + "/" + TableName(i));
        } else {
            WriteTable(TableName(i), records, kFirstSeed + static_cast<uint64_t>(i));
        }
    }
    WriteTextTables();
}

StartupInstallation::~StartupInstallation()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void StartupInstallation::WriteTable(const std::string& name, uint64_t records, uint64_t seed) const
{
    const std::string path = m_path + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }
    LineGenerator generator(records, seed);
    std::vector<unsigned char> buffer(kRecordsPerWrite * LineRecord::kSize);
    bool ok = true;
    for (uint64_t done = 0; done < records && ok;) {
        const size_t batch =
            static_cast<size_t>(std::min<uint64_t>(kRecordsPerWrite, records - done));
        for (size_t i = 0; i < batch; ++i) {
            generator.Next().ToBytes(&buffer[i * LineRecord::kSize]);
        }
        ok = std::fwrite(buffer.data(), LineRecord::kSize, batch, file) == batch;
        done += batch;
    }
    if (std::fclose(file) != 0 || !ok) {
        throw std::runtime_error("cannot write " + path);
    }
}

void StartupInstallation::WriteText(const std::string& name, const std::string& text) const
{
    std::ofstream out(m_path + "/" + name, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + m_path + "/" + name);
    }
}

// One line per code, code 1 first; the texts only need to differ in length as real ones do.
void StartupInstallation::WriteTextTables() const
{
    WriteText("ELEMENTS", PeriodicElements::ElementsText());
    std::string descriptions;
    for (int code = 1; code <= kDescriptions; ++code) {
        descriptions += "blend " + std::string(static_cast<size_t>(code % 7), '*') + "\n";
    }
    WriteText("DESCRIPT", descriptions);
    std::string references;
    for (int code = 1; code <= kReferences; ++code) {
        references +=
            "Author " + std::to_string(code) + " et al. " + std::to_string(1950 + code % 70) + "\n";
    }
    WriteText("REFERENC", references);
}
