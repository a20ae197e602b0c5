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

protected:
    RecordReader() = default;
    RecordReader(const RecordReader&) = default;
    RecordReader& operator=(const RecordReader&) = default;
};
