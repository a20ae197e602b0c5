#pragma once

#include "workspace/ExportSettings.h"

#include <cstdint>
#include <string>

class SettingsStore;
class TableArray;
class TextTables;

// The state the workspace keeps between runs, and its layout in the settings store under
// "Software\Spekla". Values that are missing, of the wrong type or out of range leave defaults.
struct WorkspaceState {
    // Pane flags ("Active" of each pane's key): all shown on a first start.
    bool elementWindowActive = true;
    bool dataWindowActive = true;
    bool graphWindowActive = true;
    uint32_t scanRange = 0;  // nonzero: the scan is limited to the graph's range
    std::string overlayFileName;
    std::string paneProportions;  // as PaneSplitter::Proportions gives them
    ExportSettings exportSettings;

    // Reads the workspace's own values and applies the stored display settings, element
    // selection and ratios, valence flags and the use of ratios to `text` and `tables`, and
    // centres the display list on the stored wavelength (the caller rebuilds).
    void Restore(SettingsStore& store, TextTables& text, TableArray& tables);

    // Writes everything back. If no element is selected, every element is selected first.
    void Save(SettingsStore& store, TextTables& text, const TableArray& tables) const;

    // Element values: the ratio in the stream's default form, a blank, 1 or 0 for selected.
    static std::string ElementValue(double ratio, bool selected);
    // Reads an element value; a text without a blank gives both parts from the whole text.
    // False when the ratio is not a finite number.
    static bool ParseElementValue(const std::string& text, double& ratio, bool& selected);
};
