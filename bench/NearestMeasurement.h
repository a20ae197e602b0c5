#pragma once

#include <cstdint>
#include <string>

class TableArray;
class TextTables;
struct ViewSettings;

// Whether the display list holds at least `count` lines whose wavelength every active file has
// read past on both sides, so that no line still unread can come between them.
bool HoldsSettledLines(TableArray& array, uint32_t count);

struct NearestResult {
    double meanMilliseconds = 0.0;
    double maxMilliseconds = 0.0;
    double meanSteps = 0.0;  // fill steps after the one GoToWavelength runs
    int targets = 0;
    int withoutRebuild = 0;  // targets the list already covered
    int unreached = 0;       // targets whose list never held `lines` lines
};

// Goes to `targets` different wavelengths in the middle half of the first table (by record
// index) and runs single fill steps until the list holds the `lines` lines nearest to each.
NearestResult MeasureNearest(const TextTables& tables, const std::string& folder,
                             const ViewSettings& settings, int targets, uint32_t lines);
