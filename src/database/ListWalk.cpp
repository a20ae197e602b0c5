#include "database/ListWalk.h"

#include "database/ListedTables.h"

#include <tuple>

ListWalk::ListWalk(const ListedTables& lines, const ListedLine& place, bool up)
    : m_lines(lines), m_up(up)
{
    const uint32_t run = lines.RunOf(place);
    for (size_t t = 0; t < lines.TableCount(); ++t) {
        const auto table = static_cast<uint16_t>(t);
        if (lines.RecordsOf(table).IsEmpty()) {
            continue;
        }
        const uint32_t bound = lines.BoundOf(table, place, run);
        if (!up && bound == 0) {
            continue;
        }
        Head head{table, 0, 0, 0};
        Load(head, up ? bound : bound - 1);
        if (head.record != ListedRecords::kNone) {
            m_heads.push_back(head);
        }
    }
}

void ListWalk::Load(Head& head, uint32_t from) const
{
    const ListedRecords& records = m_lines.RecordsOf(head.table);
    head.record = m_up ? records.NextFrom(from) : records.PreviousFrom(from);
    if (head.record != ListedRecords::kNone) {
        head.wavelength = m_lines.RecordOf(head.table, head.record).wavelength;
        head.run = m_lines.RunIndex(head.table, head.record, head.wavelength);
    }
}

// Within a run the place follows from the step; a new run starts at 0 when the record below
// has another wavelength, which saves the search for nearly every record.
void ListWalk::Step(Head& head) const
{
    const ListedRecords& records = m_lines.RecordsOf(head.table);
    const uint32_t from = head.record;
    if (m_up ? from == records.Highest() : from == 0) {
        head.record = ListedRecords::kNone;
        return;
    }
    head.record = m_up ? records.NextFrom(from + 1) : records.PreviousFrom(from - 1);
    if (head.record == ListedRecords::kNone) {
        return;
    }
    const int32_t previous = head.wavelength;
    head.wavelength = m_lines.RecordOf(head.table, head.record).wavelength;
    if (head.wavelength == previous) {
        head.run = m_up ? head.run + (head.record - from) : head.run - (from - head.record);
    } else if (head.record == 0 || (m_up && head.record == from + 1) ||
               m_lines.RecordOf(head.table, head.record - 1).wavelength != head.wavelength) {
        head.run = 0;
    } else {
        head.run = m_lines.RunIndex(head.table, head.record, head.wavelength);
    }
}

// Heads are in table order, so of equal places the lower table comes first upward.
size_t ListWalk::Best() const
{
    const auto key = [](const Head& h) { return std::tie(h.wavelength, h.run); };
    size_t best = 0;
    for (size_t i = 1; i < m_heads.size(); ++i) {
        if (m_up ? key(m_heads[i]) < key(m_heads[best]) : !(key(m_heads[i]) < key(m_heads[best]))) {
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
    Step(head);
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
