#pragma once

#include <cstdint>
#include <string>

// One element line of ELEMENTS. An element's code in line records is its position in the
// element table; two elements are the same element when their atomic numbers are equal.
struct Element {
    Element() = default;
    Element(int32_t atomicNumber, int32_t spare1, int32_t spare2, int32_t row, int32_t column,
            std::string name, double ratio);

    bool operator==(const Element& other) const { return atomicNumber == other.atomicNumber; }

    int32_t atomicNumber = 0;
    int32_t spare1 = 0;  // kept for the record layout; nothing reads them
    int32_t spare2 = 0;
    std::string name;       // the symbol shown in every view
    int32_t row = 0;        // periodic-table grid row, from 0
    int32_t column = 0;     // periodic-table grid column, from 0
    int32_t sortIndex = 0;  // position of `name` in the alphabetical order of all names
    uint8_t selected = 1;
    double ratio = 1.0;  // intensity multiplier when ratios are in use
};
