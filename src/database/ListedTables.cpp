#include "database/ListedTables.h"

#include "database/RecordReader.h"

#include <algorithm>

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
    if (m_count == 0 || line < m_lowest) {
        m_lowest = line;
    }
    if (m_count == 0 || m_highest < line) {
        m_highest = line;
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

uint32_t ListedTables::CountBefore(const ListedLine& place) const
{
    uint32_t count = 0;
    for (size_t t = 0; t < m_tables.size(); ++t) {
        const auto table = static_cast<uint16_t>(t);
        count += m_tables[t].records.CountBelow(BoundOf(table, place));
    }
    return count;
}

// Lines of a lower table at the place's wavelength come before it, those of a higher table
// after it. A table whose listed lines all lie on one side needs no search.
uint32_t ListedTables::BoundOf(uint16_t table, const ListedLine& place) const
{
    const Table& listed = m_tables[table];
    if (listed.records.IsEmpty()) {
        return 0;
    }
    const int64_t wavelength = place.wavelength;
    if (wavelength > listed.highestWavelength ||
        (wavelength == listed.highestWavelength && table < place.tableIndex)) {
        return listed.records.Highest() + 1;
    }
    if (wavelength < listed.lowestWavelength ||
        (wavelength == listed.lowestWavelength && table > place.tableIndex)) {
        return listed.records.Lowest();
    }
    if (table < place.tableIndex) {
        return m_reader.FirstAtOrAbove(table, wavelength + 1);
    }
    if (table > place.tableIndex) {
        return m_reader.FirstAtOrAbove(table, wavelength);
    }
    // In a table in order, a record of that very wavelength is its own bound.
    if (WavelengthOf(table, place.recordIndex) == place.wavelength) {
        return place.recordIndex;
    }
    const uint32_t low = m_reader.FirstAtOrAbove(table, wavelength);
    const uint32_t high = m_reader.FirstAtOrAbove(table, wavelength + 1);
    return std::max(low, std::min(place.recordIndex, high));
}

int32_t ListedTables::WavelengthOf(uint16_t table, uint32_t record) const
{
    return m_reader.RecordAt(table, record).record.wavelength;
}

size_t ListedTables::MemoryBytes() const
{
    size_t bytes = m_tables.capacity() * sizeof(Table);
    for (const Table& table : m_tables) {
        bytes += table.records.MemoryBytes();
    }
    return bytes;
}
