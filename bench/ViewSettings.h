#pragma once

#include "database/LineRecord.h"

#include <memory>
#include <string>
#include <vector>

class TableArray;
class TextTables;

// The filter settings a measurement runs under: which elements are selected, which valence
// flags are set, the minimum intensity code. Element ratios stay off.
struct ViewSettings {
    // 20 of the 90 elements (line-rich Fe, Ti, Ni, Mn, Cr, Co among light and poor ones),
    // valences I and II only, minimum intensity 10.
    static ViewSettings Filtered();
    // Everything shown: every line of every table is listed.
    static ViewSettings Unfiltered();

    // Sets the element selection and valence flags of `tables`; returns the names of the
    // selected elements that `tables` does not know.
    std::vector<std::string> Apply(TextTables& tables) const;
    // Opens every table of `folder` with the minimum intensity set.
    std::unique_ptr<TableArray> OpenTables(const TextTables& tables,
                                           const std::string& folder) const;
    // Whether `line` should be listed, decided from the settings alone (without the tables'
    // filter code, which this checks).
    bool Admits(const LineRecord& line, const TextTables& tables) const;

    std::string name;
    std::vector<std::string> elements;  // empty: all
    std::vector<int> valences;          // empty: all
    double minimumIntensity = 0.0;
};
