#pragma once

#include "database/WaveData.h"
#include "framework/PageBuffer.h"

#include <cstdint>

class RecordReader;

// The display list: every line that passed the filter, from all active table files, in order of
// wavelength, with a cursor on the current line. Lines arrive on both sides of the target while
// the list fills, so storage has free slots at both ends; slot numbers are stable between
// insertions except that growing at the front shifts them all. A line costs 10 bytes: its
// wavelength, record index and table index; the rest is read back from its file when needed.
class ValidRecordsArray {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;
    static constexpr uint32_t kMinimumGrowth = 25000;

    // `reader` reads a listed line back from its table; it must outlive the list.
    explicit ValidRecordsArray(const RecordReader& reader);

    uint32_t Count() const { return m_last == kNone ? 0 : m_last - m_first + 1; }
    bool IsEmpty() const { return m_last == kNone; }
    uint32_t First() const { return m_first; }
    uint32_t Last() const { return m_last; }
    uint32_t Cursor() const { return m_cursor; }
    int32_t Target() const { return m_target; }
    // The wavelength at the cursor, or the target when there is no cursor.
    int32_t CurrentWavelength() const;

    WaveData ItemAt(uint32_t slot) const;  // slot between First() and Last()
    int32_t WavelengthAt(uint32_t slot) const { return Items()[slot].wavelength; }
    // Which record of which file a slot lists: what stays the same when slots shift.
    uint16_t TableIndexAt(uint32_t slot) const { return Items()[slot].tableIndex; }
    uint32_t RecordIndexAt(uint32_t slot) const { return Items()[slot].recordIndex; }
    bool IsDuplicate(uint32_t slotA, uint32_t slotB) const;

    // Lists `line`, read from table `tableIndex`; only its wavelength and indices are kept.
    void Insert(const WaveData& line, uint16_t tableIndex);
    // The slot where a line of `wavelength` belongs (a slot holding it when present); kNone
    // when the list is empty.
    uint32_t Search(int32_t wavelength) const;
    // Centres the list on `wavelength`. When the list covers it, the cursor moves to the
    // nearest line and false is returned; otherwise the list is emptied and true returned.
    bool SetTarget(int32_t wavelength);
    void Reset();
    // Moves the cursor by up to `steps` lines (> 0: toward longer wavelengths), a line listed
    // by several sources counting once, and makes its wavelength the target. Returns the lines
    // actually moved, signed like `steps`: 0 when the cursor stayed (empty list, already at that
    // end), and then nothing changes.
    int Move(int steps);
    // Whether Move(1) (`forward`) or Move(-1) would move: a line other than the cursor's own
    // group lies that way.
    bool CanMove(bool forward) const;
    // Puts the cursor on `slot` (limited to First()..Last()); false when the list is empty or
    // the cursor was there already.
    bool SetCursor(uint32_t slot);

    // Changes with every change of the lines or the cursor, so that a view can tell whether
    // what it last painted is out of date.
    uint64_t Revision() const { return m_revision; }

    // Bytes held by the storage, for measurements.
    size_t MemoryBytes() const;
    uint32_t CapacityLast() const { return m_capacityLast; }

private:
#pragma pack(push, 1)
    struct ListedLine {
        int32_t wavelength;
        uint32_t recordIndex;
        uint16_t tableIndex;
    };
#pragma pack(pop)
    static_assert(sizeof(ListedLine) == 10);

    // Whether `a` lies before `b` in the same table file.
    static bool ComesBefore(const ListedLine& a, const ListedLine& b);
    void InsertFirstLine(const ListedLine& line);
    void InsertAt(uint32_t pos, const ListedLine& line);
    void Append(const ListedLine& line);
    void Prepend(const ListedLine& line);
    void GrowAtEnd();
    void GrowAtFront();
    void Reallocate(uint32_t frontSlack, uint32_t endSlack);
    void TrackCursor(int32_t wavelength);
    static uint32_t Distance(int32_t a, int32_t b);
    ListedLine* Items() const
    {
        return static_cast<ListedLine*>(m_storage.Data());
    }

    PageBuffer m_storage;
    uint32_t m_first = kNone;
    uint32_t m_last = kNone;
    uint32_t m_capacityLast;
    uint32_t m_cursor = kNone;
    int32_t m_target = 0;
    uint32_t m_bestDistance = 0xFFFFFFFF;
    uint32_t m_tolerance = 0;
    uint64_t m_revision = 0;
    const RecordReader& m_reader;
};
