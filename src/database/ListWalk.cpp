#include "database/ListWalk.h"

#include "database/ListedTables.h"

ListWalk::ListWalk(const ListedTables& lines, const ListedLine& place, bool up)
    : m_lines(lines), m_up(up)
{
    for (size_t t = 0; t < lines.TableCount(); ++t) {
        const auto table = static_cast<uint16_t>(t);
        if (lines.RecordsOf(table).IsEmpty()) {
            continue;
        }
        const uint32_t bound = lines.BoundOf(table, place);
        if (!up && bound == 0) {
            continue;
        }
        Head head{table, 0, 0};
        Load(head, up ? bound : bound - 1);
        if (head.record != ListedRecords::kNone) {
            m_heads.push_back(head);
        }
    }
}

void ListWalk::Load(Head& head, uint32_t from)
{
    const ListedRecords& records = m_lines.RecordsOf(head.table);
    head.record = m_up ? records.NextFrom(from) : records.PreviousFrom(from);
    if (head.record != ListedRecords::kNone) {
        head.wavelength = m_lines.WavelengthOf(head.table, head.record);
    }
}

// Heads are kept in table order, so the first of equal wavelengths is the lowest table.
size_t ListWalk::Best() const
{
    size_t best = 0;
    for (size_t i = 1; i < m_heads.size(); ++i) {
        const int32_t wavelength = m_heads[i].wavelength;
        if (m_up ? wavelength < m_heads[best].wavelength
                 : wavelength >= m_heads[best].wavelength) {
            best = i;
        }
    }
    return best;
}

bool ListWalk::Next(ListedLine& line)
{
    if (m_heads.empty()) {
        return false;
    }
    const size_t best = Best();
    Head& head = m_heads[best];
    line = {head.wavelength, head.table, head.record};
    if (m_up ? head.record == m_lines.RecordsOf(head.table).Highest() : head.record == 0) {
        head.record = ListedRecords::kNone;
    } else {
        Load(head, m_up ? head.record + 1 : head.record - 1);
    }
    if (head.record == ListedRecords::kNone) {
        m_heads.erase(m_heads.begin() + static_cast<std::ptrdiff_t>(best));
    }
    return true;
}

uint32_t ListWalk::Skip(uint32_t count)
{
    ListedLine line;
    uint32_t passed = 0;
    while (passed < count && Next(line)) {
        ++passed;
    }
    return passed;
}
