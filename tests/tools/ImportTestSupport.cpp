#include "ImportTestSupport.h"

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
    std::string pattern = (fs::temp_directory_path() / "spekla-import-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
    for (const char* name : {"ELEMENTS", "DESCRIPT"}) {
        fs::copy_file(fs::path(SPEKLA_SAMPLE_DATA_DIR) / name, File(name));
    }
}

TempInstallation::~TempInstallation()
{
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

void TempInstallation::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string TempInstallation::Read(const std::string& name) const
{
    return ReadFile(File(name));
}

std::vector<LineRecord> TempInstallation::Table(const std::string& name) const
{
    const std::string bytes = Read(name);
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
    for (const auto& entry : fs::directory_iterator(m_path)) {
        const std::string name = entry.path().filename().string();
        files[name] = entry.is_regular_file() ? Read(name) : "<folder>";
    }
    return files;
}

std::string TempInstallation::TextLine(const std::string& name, unsigned n) const
{
    std::istringstream in(Read(name));
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
