#pragma once

#include "database/LineRecord.h"
#include "framework/SettingsStore.h"

#include <string>
#include <vector>

class TableArray;
class ValidRecordsArray;

// A temporary folder for one test, removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    void WriteText(const std::string& name, const std::string& text) const;
    std::string ReadText(const std::string& name) const;
    // Writes `records` as a table file, plus `extraBytes` bytes of 0xEE (a damaged tail).
    void WriteTable(const std::string& name, const std::vector<LineRecord>& records,
                    size_t extraBytes = 0) const;

private:
    std::string m_path;
};

// A record of element `element`, valence `valence`, intensity `intensity`.
LineRecord Line(int32_t wavelength, uint8_t element = 0, uint8_t valence = 1,
                uint8_t intensity = 10);

// `count` lines of element `element` from `start` in steps of `step`.
std::vector<LineRecord> Ramp(int count, int32_t start, int32_t step, uint8_t element = 0);
// The bytes a table file of `records` holds.
std::string Bytes(const std::vector<LineRecord>& records);
// The wavelengths of the listed lines, in list order.
std::vector<int32_t> Wavelengths(const ValidRecordsArray& list);
// Runs the idle fill until it has no more work.
void FillCompletely(TableArray& array);

// An ELEMENTS text with the symbols given, one per line, at atomic numbers 1, 2, ...
std::string ElementsText(const std::vector<std::string>& symbols);

// Saves `store` and reads it back from its file into a new store, as the next run sees it.
// Throws when either fails.
SettingsStore ReloadedStore(SettingsStore& store);
