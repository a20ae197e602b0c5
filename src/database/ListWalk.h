#pragma once

#include "database/ListedLine.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ListedTables;

// Steps through the lines of the display list in order from a place, merging what each table
// lists: upward the lines at or after the place, downward those before it. A step compares the
// next line of each table and reads one record; entering a run of equal wavelengths from above
// costs a search of that table for where the run starts.
class ListWalk {
public:
    // `lines` must outlive the walk and stay unchanged while it is used.
    ListWalk(const ListedTables& lines, const ListedLine& place, bool up);

    // The next line; false when there is none.
    bool Next(ListedLine& line);
    // Passes over up to `count` lines; the number passed.
    uint32_t Skip(uint32_t count);

private:
    struct Head {
        uint16_t table;
        uint32_t record;
        int32_t wavelength;
        uint32_t run;  // its place in its table's run of that wavelength
    };
    void Load(Head& head, uint32_t from) const;
    void Step(Head& head) const;
    size_t Best() const;

    const ListedTables& m_lines;
    bool m_up;
    std::vector<Head> m_heads;  // the next line of each table that has one, in table order
};
