#pragma once

#include <cstdint>
#include <string>

// A temporary installation for timing the program's start: `tables` synthetic tables of
// `records` lines each (table01.swt, ...; each from its own seed, so their lines interleave as
// those of different sources do), ELEMENTS, DESCRIPT and REFERENC. The folder goes with the
// object.
class StartupInstallation {
public:
    // Throws std::runtime_error when the folder or a file cannot be written.
    StartupInstallation(int tables, uint64_t records);
    ~StartupInstallation();
    StartupInstallation(const StartupInstallation&) = delete;
    StartupInstallation& operator=(const StartupInstallation&) = delete;

    const std::string& Path() const { return m_path; }

private:
    void WriteTable(const std::string& name, uint64_t records, uint64_t seed) const;
    void WriteText(const std::string& name, const std::string& text) const;
    void WriteTextTables() const;

    std::string m_path;
};
