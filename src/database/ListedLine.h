#pragma once

#include <cstdint>
#include <tuple>

// A line of the display list, named by what stays the same while the list fills: its
// wavelength, table and record. The list is in this order: wavelength, then table, then record,
// so that a table's records keep their file order. Also stands for a place in the list: the
// lines at or after it.
struct ListedLine {
    int32_t wavelength = 0;
    uint16_t tableIndex = 0;
    uint32_t recordIndex = 0;

    friend bool operator<(const ListedLine& a, const ListedLine& b)
    {
        return std::tie(a.wavelength, a.tableIndex, a.recordIndex) <
               std::tie(b.wavelength, b.tableIndex, b.recordIndex);
    }
    friend bool operator==(const ListedLine& a, const ListedLine& b) = default;
};
