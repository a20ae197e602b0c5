#pragma once

#include "database/AtomicLine.h"
#include "tools/SpectrumName.h"
#include "tools/WavelengthScale.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// One line of an input list as its reader understood it, before the element lookup and the
// code tables turn it into a record.
struct SourceLine {
    std::optional<double> value;  // wavelength or wave number as written; empty when unreadable
    WavelengthScale scale;
    std::string symbol;    // the element by symbol, or
    int atomicNumber = 0;  // by atomic number when `symbol` is empty
    int stage = 0;         // 1..19, 0 none, -1 given but not understood
    uint8_t intensityCode = 0;
    std::string description;
    std::string reference;
    AtomicLine atomic;       // what the list says about the transition, where it says anything
    bool malformed = false;  // the row stops before a column the import needs

    static SourceLine Malformed()
    {
        SourceLine line;
        line.malformed = true;
        return line;
    }
};

// What a reader falls back on where a list is silent.
struct ReadContext {
    std::optional<SpectrumName> spectrum;  // from the file name or --spectrum
    int stage = 0;                         // --stage, for lines whose spectrum names no stage
    std::optional<Medium> medium;          // --medium
    std::optional<WavelengthUnit> unit;    // --unit

    // The stage of `spectrum`, else `stage`.
    int FallbackStage() const { return spectrum && spectrum->stage > 0 ? spectrum->stage : stage; }
};

// Takes each line of a file as it is read, so that a long list is never held whole.
using LineSink = std::function<void(const SourceLine&)>;

// How reading one input file ended.
struct ReadResult {
    // Set when the file is not a list of the format asked for: the lines already handed to the
    // sink must not be used, and the import fails.
    std::string error;
};
