#pragma once

#include "database/ListedLine.h"
#include "database/ListedRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class RecordReader;

// The lines of the display list, kept as which records of each table it holds rather than as
// one merged array: the list of ten tables of ten million lines costs a few bytes, or one bit a
// record once a filter leaves gaps. Where a line stands in the merged order is counted from the
// tables, with one search of each table that overlaps it.
class ListedTables {
public:
    // `reader` reads the tables back; it must outlive this object.
    explicit ListedTables(const RecordReader& reader);

    // Lists `line`; false when it was listed already or its table has no such record.
    bool Add(const ListedLine& line);
    void Clear();

    uint32_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    const ListedLine& Lowest() const { return m_lowest; }  // valid when not empty
    const ListedLine& Highest() const { return m_highest; }
    size_t TableCount() const { return m_tables.size(); }
    const ListedRecords& RecordsOf(uint16_t table) const { return m_tables[table].records; }
    const RecordReader& Reader() const { return m_reader; }

    // How many listed lines come before `place`: its slot when it is a listed line.
    uint32_t CountBefore(const ListedLine& place) const;
    // The records of `table` below this index come before `place`, the others not.
    uint32_t BoundOf(uint16_t table, const ListedLine& place) const;
    int32_t WavelengthOf(uint16_t table, uint32_t record) const;

    size_t MemoryBytes() const;

private:
    struct Table {
        ListedRecords records;
        int32_t lowestWavelength = 0;  // of the lowest listed record
        int32_t highestWavelength = 0;
    };

    const RecordReader& m_reader;
    std::vector<Table> m_tables;  // by table index
    uint32_t m_count = 0;
    ListedLine m_lowest;
    ListedLine m_highest;
};
