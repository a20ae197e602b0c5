#pragma once

#include <string>
#include <vector>

class SettingsStore;
class TableArray;

// The data sources' settings (label, active flag, intensity scale) kept in the settings store
// under "Software\Spekla\Sources", each source identified by its lower-case file name.
class DataSources {
public:
    static constexpr const char* kKey = "Software\\Spekla\\Sources";

    // Applies the saved settings to the sources that still exist; saved entries of files that
    // are gone are ignored, and sources without an entry keep their defaults. No rebuild.
    static void Restore(TableArray& tables, SettingsStore& store);

    // Replaces the saved settings with those of every source. When every source is switched
    // off they are all switched on first, so that the next start shows something.
    static void Save(TableArray& tables, SettingsStore& store);

    // Only the sources whose labels are listed (compared without case; the first source of a
    // label) stay active; when none of them exists every source is active. No rebuild.
    static void ActivateListed(TableArray& tables, const std::vector<std::string>& labels);
    static void ActivateAll(TableArray& tables);

    // The Sources menu text of source `index`: "&1  label\tCtrl+1" for the first ten (the tenth
    // on Ctrl+0); later
    // sources show the label alone when the menu is built, and with their number once renewed.
    static std::string MenuText(size_t index, const std::string& label, bool renewing);
};
