#include "ImportTestSupport.h"

#include "framework/FolderLock.h"
#include "tools/ImportCommandLine.h"
#include "tools/TableImport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempInstallation::TempInstallation()
{
    for (const char* name : {"ELEMENTS", "DESCRIPT"}) {
        fs::copy_file(fs::path(SPEKLA_SAMPLE_DATA_DIR) / name, File(name));
    }
}

std::vector<LineRecord> TempInstallation::Table(const std::string& name) const
{
    const std::string bytes = ReadText(name);
    std::vector<LineRecord> records;
    for (size_t pos = 0; pos + LineRecord::kSize <= bytes.size(); pos += LineRecord::kSize) {
        records.push_back(
            LineRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data() + pos)));
    }
    return records;
}

std::map<std::string, std::string> TempInstallation::Snapshot() const
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(Path())) {
        const std::string name = entry.path().filename().string();
        if (name == FolderLock::kFileName) {
            continue;  // made by the first import and kept, empty, holding nothing of the user's
        }
        files[name] = entry.is_regular_file() ? ReadText(name) : "<folder>";
    }
    return files;
}

std::string TempInstallation::TextLine(const std::string& name, unsigned n) const
{
    std::istringstream in(ReadText(name));
    std::string line;
    for (unsigned i = 0; i < n; ++i) {
        if (!std::getline(in, line)) {
            return {};
        }
    }
    return line;
}

ImportRun RunImport(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    ImportRun run;
    ImportOptions options;
    std::string error;
    if (!ImportCommandLine::Parse(arguments, options, error) || options.help) {
        run.status = TableImport::Main(arguments, out, err);
    } else {
        TableImport import(options);
        run.status = import.Run(out, err);
        for (const auto& file : import.FileCounts()) {
            run.counts.push_back(file.second);
        }
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string NistDataFolder()
{
    std::error_code ec;
    return fs::is_directory(SPEKLA_NIST_DATA_DIR, ec) ? std::string(SPEKLA_NIST_DATA_DIR)
                                                      : std::string();
}
