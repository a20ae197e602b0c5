#include "database/ValidRecordsArray.h"

#include "database/RecordReader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

ValidRecordsArray::ValidRecordsArray(const RecordReader& reader)
    : m_storage(kMinimumGrowth * sizeof(ListedLine)),
      capacityLast(kMinimumGrowth - 1),
      m_reader(reader)
{
}

int32_t ValidRecordsArray::CurrentWavelength() const
{
    return cursor == kNone ? target : WavelengthAt(cursor);
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
    // Lines of an outward scan nearly always extend one end; only the rest need a search.
    if (item.wavelength > WavelengthAt(last)) {
        Append(item);
    } else if (item.wavelength < WavelengthAt(first)) {
        Prepend(item);
    } else {
        if (first == 1) {
            GrowAtFront();
        }
        if (last + 1 == capacityLast) {
            GrowAtEnd();
        }
        InsertAt(Search(item.wavelength), item);
    }
    TrackCursor(item.wavelength);
}

void ValidRecordsArray::InsertFirstLine(const ListedLine& line)
{
    first = last = cursor = capacityLast / 2;
    Items()[first] = line;
    bestDistance = Distance(line.wavelength, target);
}

void ValidRecordsArray::Append(const ListedLine& line)
{
    if (last + 1 == capacityLast) {
        GrowAtEnd();
    }
    Items()[++last] = line;
}

void ValidRecordsArray::Prepend(const ListedLine& line)
{
    if (first == 1) {
        GrowAtFront();
    }
    Items()[--first] = line;
}

// Puts `line` in front of slot `pos`, moving whichever side of the list is shorter.
void ValidRecordsArray::InsertAt(uint32_t pos, const ListedLine& line)
{
    if (pos - first < last - pos) {
        std::memmove(&Items()[first - 1], &Items()[first], (pos - first) * sizeof(ListedLine));
        if (cursor < pos) {
            --cursor;
        }
        Items()[pos - 1] = line;
        --first;
    } else {
        std::memmove(&Items()[pos + 1], &Items()[pos], (last - pos + 1) * sizeof(ListedLine));
        if (pos <= cursor) {
            ++cursor;
        }
        Items()[pos] = line;
        ++last;
    }
}

void ValidRecordsArray::TrackCursor(int32_t wavelength)
{
    if (bestDistance <= tolerance) {
        return;
    }
    const uint32_t distance = Distance(wavelength, target);
    if (distance < bestDistance) {
        bestDistance = distance;
        cursor = Search(wavelength);
    }
}

uint32_t ValidRecordsArray::Search(int32_t wavelength) const
{
    if (IsEmpty()) {
        return kNone;
    }
    if (first == last) {
        return first;
    }
    uint32_t low = first;
    uint32_t high = last;
    uint32_t mid = first;
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
    if (mid == last || WavelengthAt(mid) >= wavelength) {
        return mid;
    }
    return mid + 1;
}

bool ValidRecordsArray::SetTarget(int32_t wavelength)
{
    ++m_revision;
    target = wavelength;
    if (IsEmpty() || wavelength < WavelengthAt(first) || wavelength > WavelengthAt(last)) {
        Reset();
        return true;
    }
    uint32_t slot = Search(wavelength);
    // The search gives the insertion slot; the line below it may be the nearer one.
    if (slot > first &&
        Distance(WavelengthAt(slot - 1), wavelength) < Distance(WavelengthAt(slot), wavelength)) {
        --slot;
    }
    cursor = slot;
    bestDistance = Distance(WavelengthAt(slot), wavelength);
    return false;
}

void ValidRecordsArray::Reset()
{
    ++m_revision;
    first = last = cursor = kNone;
    bestDistance = 0xFFFFFFFF;
}

bool ValidRecordsArray::SetCursor(uint32_t slot)
{
    if (IsEmpty()) {
        return false;
    }
    slot = std::clamp(slot, first, last);
    if (slot == cursor) {
        return false;
    }
    cursor = slot;
    target = WavelengthAt(slot);
    bestDistance = 0;
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
    uint32_t i = cursor;
    // Counting toward zero in both directions never negates `steps`, which may be INT_MIN.
    while (moved < steps && i < last) {
        ++i;
        if (!IsDuplicate(i, i - 1)) {
            cursor = i;
            ++moved;
        }
    }
    while (moved > steps && i > first) {
        --i;
        if (!IsDuplicate(i, i + 1)) {
            cursor = i;
            --moved;
        }
    }
    if (moved != 0) {
        target = WavelengthAt(cursor);
        bestDistance = 0;
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
        for (uint32_t i = cursor; i < last; ++i) {
            if (!IsDuplicate(i + 1, i)) {
                return true;
            }
        }
    } else {
        for (uint32_t i = cursor; i > first; --i) {
            if (!IsDuplicate(i - 1, i)) {
                return true;
            }
        }
    }
    return false;
}

size_t ValidRecordsArray::MemoryBytes() const
{
    return (size_t{capacityLast} + 1) * sizeof(ListedLine);
}

// Growth is geometric, so that filling N lines costs O(N) moves; the other end keeps its free
// slots up to the same amount, since an outward scan fills both ends at the same pace.
void ValidRecordsArray::GrowAtEnd()
{
    const uint32_t growth = std::max(kMinimumGrowth, Count() / 4);
    Reallocate(std::min(first - 1, growth), growth);
}

void ValidRecordsArray::GrowAtFront()
{
    const uint32_t growth = std::max(kMinimumGrowth, Count() / 4);
    Reallocate(growth, std::min(capacityLast - last - 1, growth));
}

void ValidRecordsArray::Reallocate(uint32_t frontSlack, uint32_t endSlack)
{
    const uint32_t count = Count();
    // Slot 0 and the last slot stay unused, so that `first` and `last` can always move.
    const size_t capacity = size_t{frontSlack} + count + endSlack + 2;
    PageBuffer storage(capacity * sizeof(ListedLine));
    const uint32_t newFirst = frontSlack + 1;
    std::memcpy(static_cast<ListedLine*>(storage.Data()) + newFirst, &Items()[first],
                size_t{count} * sizeof(ListedLine));
    const uint32_t shift = newFirst - first;  // unsigned wrap-around gives the right result
    first += shift;
    last += shift;
    cursor += shift;
    m_storage = std::move(storage);
    capacityLast = static_cast<uint32_t>(capacity - 1);
}
