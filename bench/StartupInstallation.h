#pragma once

#include <cstdint>
#include <string>

// A temporary installation for timing the program's start: `tables` synthetic tables of
// `records` lines each (table01.swt, ...), ELEMENTS, DESCRIPT and REFERENC. The folder goes
// with the object.
class StartupInstallation {
public:
    enum class Lines {
        Interleaved,  // each table from its own seed, as different sources
        Shared,       // copies of one table, as sources that overlap completely
    };

    // Throws std::runtime_error when the folder or a file cannot be written.
    StartupInstallation(int tables, uint64_t records, Lines lines);
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
