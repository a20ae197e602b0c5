#include "support/TestFiles.h"

#include "database/TableArray.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "spekla-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    // A test may have taken permissions away to provoke a failure.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

void TempFolder::WriteText(const std::string& name, const std::string& text) const
{
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    std::ofstream(File(name), std::ios::binary) << text;
}

std::string TempFolder::ReadText(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempFolder::WriteTable(const std::string& name, const std::vector<LineRecord>& records,
                            size_t extraBytes) const
{
    WriteText(name, Bytes(records) + std::string(extraBytes, '\xEE'));
}

LineRecord Line(int32_t wavelength, uint8_t element, uint8_t valence, uint8_t intensity)
{
    LineRecord record;
    record.wavelength = wavelength;
    record.elementCode = element;
    record.valenceCode = valence;
    record.intensityCode = intensity;
    return record;
}

std::vector<LineRecord> Ramp(int count, int32_t start, int32_t step, uint8_t element)
{
    std::vector<LineRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(Line(start + i * step, element));
    }
    return records;
}

std::string Bytes(const std::vector<LineRecord>& records)
{
    std::string bytes(records.size() * LineRecord::kSize, '\0');
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].ToBytes(reinterpret_cast<unsigned char*>(&bytes[i * LineRecord::kSize]));
    }
    return bytes;
}

std::vector<int32_t> Wavelengths(const ValidRecordsArray& list)
{
    std::vector<int32_t> result;
    for (uint32_t slot = list.First(); !list.IsEmpty() && slot <= list.Last(); ++slot) {
        result.push_back(list.WavelengthAt(slot));
    }
    return result;
}

void FillCompletely(TableArray& array)
{
    while (array.FillStep()) {
    }
}

std::string ElementsText(const std::vector<std::string>& symbols)
{
    std::string text;
    for (size_t i = 0; i < symbols.size(); ++i) {
        text += std::to_string(i + 1) + " 0 " + std::to_string(i) + " " + symbols[i] + "\n";
    }
    return text;
}

SettingsStore ReloadedStore(SettingsStore& store)
{
    std::string error;
    if (!store.Save(&error)) {
        throw std::runtime_error("cannot save the settings: " + error);
    }
    SettingsStore fresh(SettingsStore::Root::CurrentUser, store.FilePath());
    if (!fresh.Load(&error)) {
        throw std::runtime_error("cannot read the settings back: " + error);
    }
    return fresh;
}
