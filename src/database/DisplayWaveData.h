#pragma once

#include "database/WaveData.h"

#include <optional>
#include <string>

class TextTables;

// A line prepared for the views: its codes looked up as texts, its intensity and element ratio
// as numbers. Unknown codes give empty texts.
struct DisplayWaveData : WaveData {
    DisplayWaveData() = default;
    DisplayWaveData(const WaveData& line, bool useRatios, bool passes, const TextTables& tables);

    // The record at `index` of `file`, with `passes` the file's filter result and the file's
    // ratio setting; empty when the index is past the end of the file.
    static std::optional<DisplayWaveData> FromFile(const WavetableFile& file, uint32_t index,
                                                   const TextTables& tables);

    std::string elementName;
    std::string valenceName;
    std::string reference;
    double ratio = 1.0;
    uint8_t passes = 0;
    double intensity = 0.0;  // the intensity code as a number
    std::string description;
};
