#pragma once

#include <cstdint>

// A line of the display list, named by what stays the same while the list fills: its
// wavelength, table and record. The list's order needs the records themselves (ListedTables
// compares lines). Also stands for a place in the list, the lines at or after it; StartOf(w)
// is the place before every line of wavelength w.
struct ListedLine {
    static constexpr ListedLine StartOf(int32_t wavelength)
    {
        return {wavelength, 0xFFFF, 0xFFFFFFFF};
    }
    bool IsStart() const { return tableIndex == 0xFFFF && recordIndex == 0xFFFFFFFF; }

    int32_t wavelength = 0;
    uint16_t tableIndex = 0;
    uint32_t recordIndex = 0;
};
