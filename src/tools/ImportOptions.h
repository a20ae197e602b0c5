#pragma once

#include "tools/SpectrumName.h"
#include "tools/WavelengthScale.h"

#include <optional>
#include <string>
#include <vector>

enum class InputFormat { kGuess, kNist, kCsv, kXml };

// What one run of spekla-import is asked to do.
struct ImportOptions {
    std::string directory;                     // --into: the installation folder; must exist
    std::string tableName;                     // --table: the table is directory/tableName.swt
    InputFormat format = InputFormat::kGuess;  // --format; kGuess: from each file's content
    std::optional<Medium> medium;              // --medium; unset: each format's own rule
    std::optional<WavelengthUnit> unit;        // --unit; unset: each format's own rule
    std::optional<SpectrumName> spectrum;      // --spectrum
    int stage = 0;                             // --stage: 1..19, 0 none
    std::vector<std::string> files;
    bool help = false;  // --help: print the usage and do nothing else
};
