#pragma once

#include "database/TableArray.h"
#include "support/TestFiles.h"

#include <string>
#include <vector>

// `count` lines of element `element` from `start` in steps of `step`.
inline std::vector<LineRecord> Ramp(int count, int32_t start, int32_t step, uint8_t element = 0)
{
    std::vector<LineRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(Line(start + i * step, element));
    }
    return records;
}

// The bytes a table file of `records` holds.
inline std::string Bytes(const std::vector<LineRecord>& records)
{
    std::string bytes(records.size() * LineRecord::kSize, '\0');
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].ToBytes(reinterpret_cast<unsigned char*>(&bytes[i * LineRecord::kSize]));
    }
    return bytes;
}

// The wavelengths of the listed lines, in list order.
inline std::vector<int32_t> Wavelengths(const ValidRecordsArray& list)
{
    std::vector<int32_t> result;
    for (uint32_t slot = list.First(); !list.IsEmpty() && slot <= list.Last(); ++slot) {
        result.push_back(list.WavelengthAt(slot));
    }
    return result;
}

// Runs the idle fill until it has no more work.
inline void FillCompletely(TableArray& array)
{
    while (array.FillStep()) {
    }
}
