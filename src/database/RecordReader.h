#pragma once

#include "database/WaveData.h"

#include <cstdint>

// Reads a line back from the table that holds it, given the indices the display list keeps in
// place of the line itself.
class RecordReader {
public:
    virtual ~RecordReader() = default;

    // The record at `recordIndex` of table `tableIndex`; an empty WaveData (no table) for an
    // unknown table, zeros past the end of a table.
    virtual WaveData RecordAt(uint16_t tableIndex, uint32_t recordIndex) const = 0;
    // The records table `tableIndex` holds; 0 for an unknown table.
    virtual uint32_t RecordCount(uint16_t tableIndex) const = 0;
    // The first record of table `tableIndex` at or above `wavelength` (0.001 Å), or the
    // table's record count when there is none.
    virtual uint32_t FirstAtOrAbove(uint16_t tableIndex, int64_t wavelength) const = 0;

protected:
    RecordReader() = default;
    RecordReader(const RecordReader&) = default;
    RecordReader& operator=(const RecordReader&) = default;
};
