#include "database/ListedTables.h"

#include "database/RecordReader.h"

#include <algorithm>
#include <tuple>

ListedTables::ListedTables(const RecordReader& reader) : m_reader(reader) {}

bool ListedTables::Add(const ListedLine& line)
{
    if (line.tableIndex >= m_tables.size()) {
        m_tables.resize(size_t{line.tableIndex} + 1);
    }
    Table& table = m_tables[line.tableIndex];
    const bool wasEmpty = table.records.IsEmpty();
    if (!table.records.Add(line.recordIndex, m_reader.RecordCount(line.tableIndex))) {
        return false;
    }
    if (wasEmpty || line.recordIndex == table.records.Lowest()) {
        table.lowestWavelength = line.wavelength;
    }
    if (wasEmpty || line.recordIndex == table.records.Highest()) {
        table.highestWavelength = line.wavelength;
    }
    if (m_count == 0 || line.wavelength < m_lowestWavelength) {
        m_lowestWavelength = line.wavelength;
    }
    if (m_count == 0 || line.wavelength > m_highestWavelength) {
        m_highestWavelength = line.wavelength;
    }
    ++m_count;
    return true;
}

void ListedTables::Clear()
{
    for (Table& table : m_tables) {
        table.records.Clear();
    }
    m_count = 0;
}

ListedLine ListedTables::Lowest() const
{
    return End(false);
}

ListedLine ListedTables::Highest() const
{
    return End(true);
}

// Each table's lowest (highest) listed line comes first (last) of its lines at its end.
ListedLine ListedTables::End(bool high) const
{
    const int32_t wavelength = high ? m_highestWavelength : m_lowestWavelength;
    ListedLine end = ListedLine::StartOf(wavelength);
    for (size_t t = 0; t < m_tables.size(); ++t) {
        const Table& table = m_tables[t];
        const int32_t own = high ? table.highestWavelength : table.lowestWavelength;
        if (table.records.IsEmpty() || own != wavelength) {
            continue;
        }
        const ListedLine line{wavelength, static_cast<uint16_t>(t),
                              high ? table.records.Highest() : table.records.Lowest()};
        if (end.IsStart() || (high ? Less(end, line) : Less(line, end))) {
            end = line;
        }
    }
    return end;
}

bool ListedTables::Less(const ListedLine& a, const ListedLine& b) const
{
    if (a.wavelength != b.wavelength) {
        return a.wavelength < b.wavelength;
    }
    if (a.IsStart() || b.IsStart()) {
        return a.IsStart() && !b.IsStart();
    }
    if (a.tableIndex == b.tableIndex) {
        return a.recordIndex < b.recordIndex;
    }
    const uint32_t runA = RunIndex(a.tableIndex, a.recordIndex, a.wavelength);
    const uint32_t runB = RunIndex(b.tableIndex, b.recordIndex, b.wavelength);
    return std::tie(runA, a.tableIndex) < std::tie(runB, b.tableIndex);
}

uint32_t ListedTables::CountBefore(const ListedLine& place) const
{
    const uint32_t run = RunOf(place);
    uint32_t count = 0;
    for (size_t t = 0; t < m_tables.size(); ++t) {
        const auto table = static_cast<uint16_t>(t);
        count += m_tables[t].records.CountBelow(BoundOf(table, place, run));
    }
    return count;
}

// Before a line of another table come the lines of a lower place in their runs, and of the same
// place in a lower table.
uint32_t ListedTables::BoundOf(uint16_t table, const ListedLine& place, uint32_t run) const
{
    const Table& listed = m_tables[table];
    if (place.IsStart() || listed.records.IsEmpty() || place.wavelength < listed.lowestWavelength ||
        place.wavelength > listed.highestWavelength) {
        return FirstRecordAt(table, place.wavelength);
    }
    if (table == place.tableIndex) {
        return place.recordIndex;
    }
    const int64_t wavelength = place.wavelength;
    const uint64_t bound = uint64_t{m_reader.FirstAtOrAbove(table, wavelength)} + run +
                           (table < place.tableIndex ? 1 : 0);
    return static_cast<uint32_t>(
        std::min<uint64_t>(bound, m_reader.FirstAtOrAbove(table, wavelength + 1)));
}

uint32_t ListedTables::RunOf(const ListedLine& place) const
{
    return place.IsStart() ? 0 : RunIndex(place.tableIndex, place.recordIndex, place.wavelength);
}

uint32_t ListedTables::RunIndex(uint16_t table, uint32_t record, int32_t wavelength) const
{
    const uint32_t first = m_reader.FirstAtOrAbove(table, wavelength);
    return record > first ? record - first : 0;
}

// A table whose listed lines all lie on one side of the wavelength needs no search.
uint32_t ListedTables::FirstRecordAt(uint16_t table, int64_t wavelength) const
{
    const Table& listed = m_tables[table];
    if (listed.records.IsEmpty() || wavelength <= listed.lowestWavelength) {
        return listed.records.IsEmpty() ? 0 : listed.records.Lowest();
    }
    if (wavelength > listed.highestWavelength) {
        return listed.records.Highest() + 1;
    }
    return m_reader.FirstAtOrAbove(table, wavelength);
}

LineRecord ListedTables::RecordOf(uint16_t table, uint32_t record) const
{
    return m_reader.RecordAt(table, record).record;
}

size_t ListedTables::MemoryBytes() const
{
    size_t bytes = m_tables.capacity() * sizeof(Table);
    for (const Table& table : m_tables) {
        bytes += table.records.MemoryBytes();
    }
    return bytes;
}
