#pragma once

#include "database/LineRecord.h"
#include "database/ListedLine.h"
#include "database/ListedRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class RecordReader;

// The lines of the display list, kept as which records of each table it holds rather than as
// one merged array: the list of ten tables of ten million lines costs a few bytes, or one bit a
// record once a filter leaves gaps. The merged order is by wavelength; lines of one wavelength
// go by their place in their table's run of that wavelength, then by table, so that a table's
// lines keep their file order and sources listing the same lines at a wavelength have each
// line's copies side by side. Where a line stands is counted from the tables, with a search or
// two of each table that overlaps it.
class ListedTables {
public:
    // `reader` reads the tables back; it must outlive this object.
    explicit ListedTables(const RecordReader& reader);

    // Lists `line`; false when it was listed already or its table has no such record.
    bool Add(const ListedLine& line);
    void Clear();

    uint32_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    // The first and last line, found from the tables; when not empty.
    ListedLine Lowest() const;
    ListedLine Highest() const;
    int32_t LowestWavelength() const { return m_lowestWavelength; }
    int32_t HighestWavelength() const { return m_highestWavelength; }
    size_t TableCount() const { return m_tables.size(); }
    const ListedRecords& RecordsOf(uint16_t table) const { return m_tables[table].records; }

    // Whether line or place `a` comes before `b` in the list.
    bool Less(const ListedLine& a, const ListedLine& b) const;
    // How many listed lines come before `place`: its slot when it is a listed line.
    uint32_t CountBefore(const ListedLine& place) const;
    // A record index of `table` that its listed records below `wavelength` lie below, and the
    // others not.
    uint32_t FirstRecordAt(uint16_t table, int64_t wavelength) const;
    // The record index of `table` that its listed lines before `place` lie below; `run` is the
    // place's RunOf, found once for all tables.
    uint32_t BoundOf(uint16_t table, const ListedLine& place, uint32_t run) const;
    // Where a line stands in its table's run of its wavelength; 0 for a StartOf place.
    uint32_t RunOf(const ListedLine& place) const;
    // Where `record`, of `wavelength`, stands in its table's run of records of that wavelength.
    uint32_t RunIndex(uint16_t table, uint32_t record, int32_t wavelength) const;
    LineRecord RecordOf(uint16_t table, uint32_t record) const;
    const RecordReader& Reader() const { return m_reader; }

    size_t MemoryBytes() const;

private:
    struct Table {
        ListedRecords records;
        int32_t lowestWavelength = 0;  // of the lowest listed record
        int32_t highestWavelength = 0;
    };
    ListedLine End(bool high) const;

    const RecordReader& m_reader;
    std::vector<Table> m_tables;  // by table index
    uint32_t m_count = 0;
    int32_t m_lowestWavelength = 0;
    int32_t m_highestWavelength = 0;
};
