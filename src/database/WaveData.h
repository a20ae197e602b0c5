#pragma once

#include "database/LineRecord.h"

#include <cstdint>

class WavetableFile;

// One line record as read from a table file, with the file it came from and its index there.
struct WaveData {
    static constexpr uint32_t kNoIndex = 0xFFFFFFFF;

    // The same occurrence: the same record of the same file.
    bool IsSameOccurrence(const WaveData& other) const
    {
        return table == other.table && recordIndex == other.recordIndex;
    }
    // The same spectral line listed twice (by several sources): equal wavelength, element and
    // valence.
    bool IsDuplicateOf(const WaveData& other) const;

    LineRecord record;
    const WavetableFile* table = nullptr;  // not owned
    uint32_t recordIndex = kNoIndex;
};
