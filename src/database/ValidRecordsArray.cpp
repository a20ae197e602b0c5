#include "database/ValidRecordsArray.h"

#include "database/RecordReader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

ValidRecordsArray::ValidRecordsArray(const RecordReader& reader)
    : m_storage(kMinimumGrowth * sizeof(ListedLine)),
      m_capacityLast(kMinimumGrowth - 1),
      m_reader(reader)
{
}

int32_t ValidRecordsArray::CurrentWavelength() const
{
    return m_cursor == kNone ? m_target : WavelengthAt(m_cursor);
}

WaveData ValidRecordsArray::ItemAt(uint32_t slot) const
{
    const ListedLine& item = Items()[slot];
    return m_reader.RecordAt(item.tableIndex, item.recordIndex);
}

bool ValidRecordsArray::IsDuplicate(uint32_t slotA, uint32_t slotB) const
{
    if (WavelengthAt(slotA) != WavelengthAt(slotB)) {
        return false;
    }
    return ItemAt(slotA).IsDuplicateOf(ItemAt(slotB));
}

uint32_t ValidRecordsArray::Distance(int32_t a, int32_t b)
{
    return static_cast<uint32_t>(std::llabs(int64_t{a} - int64_t{b}));
}

void ValidRecordsArray::Insert(const WaveData& line, uint16_t tableIndex)
{
    ++m_revision;
    const ListedLine item{line.record.wavelength, line.recordIndex, tableIndex};
    if (IsEmpty()) {
        InsertFirstLine(item);
        return;
    }
    // Lines of an outward scan nearly always extend one end; only the rest need a search. A
    // line equal to an end goes beside it too: a search would land inside a long run of equal
    // wavelengths and move half of it. Where the list is one wavelength, a table's records stay
    // in file order.
    const int32_t lowest = WavelengthAt(m_first);
    const int32_t highest = WavelengthAt(m_last);
    if (item.wavelength == lowest && (lowest < highest || ComesBefore(item, Items()[m_first]))) {
        Prepend(item);
    } else if (item.wavelength >= highest) {
        Append(item);
    } else if (item.wavelength <= lowest) {
        Prepend(item);
    } else {
        if (m_first == 1) {
            GrowAtFront();
        }
        if (m_last + 1 == m_capacityLast) {
            GrowAtEnd();
        }
        InsertAt(Search(item.wavelength), item);
    }
    TrackCursor(item.wavelength);
}

bool ValidRecordsArray::ComesBefore(const ListedLine& a, const ListedLine& b)
{
    return a.tableIndex == b.tableIndex && a.recordIndex < b.recordIndex;
}

void ValidRecordsArray::InsertFirstLine(const ListedLine& line)
{
    m_first = m_last = m_cursor = m_capacityLast / 2;
    Items()[m_first] = line;
    m_bestDistance = Distance(line.wavelength, m_target);
}

void ValidRecordsArray::Append(const ListedLine& line)
{
    if (m_last + 1 == m_capacityLast) {
        GrowAtEnd();
    }
    Items()[++m_last] = line;
}

void ValidRecordsArray::Prepend(const ListedLine& line)
{
    if (m_first == 1) {
        GrowAtFront();
    }
    Items()[--m_first] = line;
}

// Puts `line` in front of slot `pos`, moving whichever side of the list is shorter.
void ValidRecordsArray::InsertAt(uint32_t pos, const ListedLine& line)
{
    if (pos - m_first < m_last - pos) {
        std::memmove(&Items()[m_first - 1], &Items()[m_first],
                     (pos - m_first) * sizeof(ListedLine));
        if (m_cursor < pos) {
            --m_cursor;
        }
        Items()[pos - 1] = line;
        --m_first;
    } else {
        std::memmove(&Items()[pos + 1], &Items()[pos], (m_last - pos + 1) * sizeof(ListedLine));
        if (pos <= m_cursor) {
            ++m_cursor;
        }
        Items()[pos] = line;
        ++m_last;
    }
}

void ValidRecordsArray::TrackCursor(int32_t wavelength)
{
    if (m_bestDistance <= m_tolerance) {
        return;
    }
    const uint32_t distance = Distance(wavelength, m_target);
    if (distance < m_bestDistance) {
        m_bestDistance = distance;
        m_cursor = Search(wavelength);
    }
}

uint32_t ValidRecordsArray::Search(int32_t wavelength) const
{
    if (IsEmpty()) {
        return kNone;
    }
    if (m_first == m_last) {
        return m_first;
    }
    uint32_t low = m_first;
    uint32_t high = m_last;
    uint32_t mid = m_first;
    while (true) {
        const uint32_t span = high - low;
        mid = low + span / 2;
        if (WavelengthAt(mid) == wavelength) {
            return mid;
        }
        if (span < 2) {
            break;
        }
        if (WavelengthAt(mid) <= wavelength) {
            low = mid;
        } else {
            high = mid;
        }
    }
    if (mid == m_last || WavelengthAt(mid) >= wavelength) {
        return mid;
    }
    return mid + 1;
}

bool ValidRecordsArray::SetTarget(int32_t wavelength)
{
    ++m_revision;
    m_target = wavelength;
    if (IsEmpty() || wavelength < WavelengthAt(m_first) || wavelength > WavelengthAt(m_last)) {
        Reset();
        return true;
    }
    uint32_t slot = Search(wavelength);
    // The search gives the insertion slot; the line below it may be the nearer one.
    if (slot > m_first &&
        Distance(WavelengthAt(slot - 1), wavelength) < Distance(WavelengthAt(slot), wavelength)) {
        --slot;
    }
    m_cursor = slot;
    m_bestDistance = Distance(WavelengthAt(slot), wavelength);
    return false;
}

void ValidRecordsArray::Reset()
{
    ++m_revision;
    m_first = m_last = m_cursor = kNone;
    m_bestDistance = 0xFFFFFFFF;
}

bool ValidRecordsArray::SetCursor(uint32_t slot)
{
    if (IsEmpty()) {
        return false;
    }
    slot = std::clamp(slot, m_first, m_last);
    if (slot == m_cursor) {
        return false;
    }
    m_cursor = slot;
    m_target = WavelengthAt(slot);
    m_bestDistance = 0;
    ++m_revision;
    return true;
}

// One pass whatever `steps` is, so that a move to either end costs one walk over the list.
int ValidRecordsArray::Move(int steps)
{
    if (IsEmpty()) {
        return 0;
    }
    int moved = 0;
    uint32_t i = m_cursor;
    // Counting toward zero in both directions never negates `steps`, which may be INT_MIN.
    while (moved < steps && i < m_last) {
        ++i;
        if (!IsDuplicate(i, i - 1)) {
            m_cursor = i;
            ++moved;
        }
    }
    while (moved > steps && i > m_first) {
        --i;
        if (!IsDuplicate(i, i + 1)) {
            m_cursor = i;
            --moved;
        }
    }
    if (moved != 0) {
        m_target = WavelengthAt(m_cursor);
        m_bestDistance = 0;
        ++m_revision;
    }
    return moved;
}

bool ValidRecordsArray::CanMove(bool forward) const
{
    if (IsEmpty()) {
        return false;
    }
    if (forward) {
        for (uint32_t i = m_cursor; i < m_last; ++i) {
            if (!IsDuplicate(i + 1, i)) {
                return true;
            }
        }
    } else {
        for (uint32_t i = m_cursor; i > m_first; --i) {
            if (!IsDuplicate(i - 1, i)) {
                return true;
            }
        }
    }
    return false;
}

size_t ValidRecordsArray::MemoryBytes() const
{
    return (size_t{m_capacityLast} + 1) * sizeof(ListedLine);
}

// Growth is geometric, so that filling N lines costs O(N) moves; the other end keeps its free
// slots up to the same amount, since an outward scan fills both ends at the same pace.
void ValidRecordsArray::GrowAtEnd()
{
    const uint32_t growth = std::max(kMinimumGrowth, Count() / 4);
    Reallocate(std::min(m_first - 1, growth), growth);
}

void ValidRecordsArray::GrowAtFront()
{
    const uint32_t growth = std::max(kMinimumGrowth, Count() / 4);
    Reallocate(growth, std::min(m_capacityLast - m_last - 1, growth));
}

void ValidRecordsArray::Reallocate(uint32_t frontSlack, uint32_t endSlack)
{
    const uint32_t count = Count();
    // Slot 0 and the last slot stay unused, so that `m_first` and `m_last` can always move.
    const size_t capacity = size_t{frontSlack} + count + endSlack + 2;
    PageBuffer storage(capacity * sizeof(ListedLine));
    const uint32_t newFirst = frontSlack + 1;
    std::memcpy(static_cast<ListedLine*>(storage.Data()) + newFirst, &Items()[m_first],
                size_t{count} * sizeof(ListedLine));
    const uint32_t shift = newFirst - m_first;  // unsigned wrap-around gives the right result
    m_first += shift;
    m_last += shift;
    m_cursor += shift;
    m_storage = std::move(storage);
    m_capacityLast = static_cast<uint32_t>(capacity - 1);
}
