#pragma once

#include "database/ListedLine.h"
#include "database/ListedTables.h"
#include "database/WaveData.h"

#include <cstdint>
#include <vector>

class RecordReader;

// The display list: every line that passed the filter, from all active table files, in order of
// wavelength, with a cursor on the current line. Lines are numbered by slot, 0 to Count() - 1;
// a line arriving below another moves that one's slot up. The list keeps which records of each
// table it holds (ListedTables), not the merged lines, so its memory does not grow with its
// lines; the lines about the slots last asked for are merged into a window of a few thousand,
// and a slot far from it is found by counting lines below a wavelength.
class ValidRecordsArray {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;
    // Lines merged at a time, and how far from known lines a slot is walked to rather than
    // searched for.
    static constexpr uint32_t kWindow = 4096;
    static constexpr uint32_t kWalkLimit = 4 * kWindow;

    // `reader` reads a listed line back from its table; it must outlive the list.
    explicit ValidRecordsArray(const RecordReader& reader);

    uint32_t Count() const { return m_lines.Count(); }
    bool IsEmpty() const { return m_lines.IsEmpty(); }
    uint32_t First() const { return IsEmpty() ? kNone : 0; }
    uint32_t Last() const { return IsEmpty() ? kNone : Count() - 1; }
    uint32_t Cursor() const;
    int32_t Target() const { return m_target; }
    // The wavelength at the cursor, or the target when there is no cursor.
    int32_t CurrentWavelength() const;

    WaveData ItemAt(uint32_t slot) const;  // slot between First() and Last()
    int32_t WavelengthAt(uint32_t slot) const { return LineAt(slot).wavelength; }
    // Which record of which file a slot lists: what stays the same when slots shift.
    uint16_t TableIndexAt(uint32_t slot) const { return LineAt(slot).tableIndex; }
    uint32_t RecordIndexAt(uint32_t slot) const { return LineAt(slot).recordIndex; }
    bool IsDuplicate(uint32_t slotA, uint32_t slotB) const;

    // Lists `line`, read from table `tableIndex`; only its wavelength and indices are kept.
    void Insert(const WaveData& line, uint16_t tableIndex);
    // The slot where a line of `wavelength` belongs (the first line at or above it, or the
    // last line); kNone when the list is empty.
    uint32_t Search(int32_t wavelength) const;
    // Centres the list on `wavelength`. When the list covers it, the cursor moves to the
    // nearest line and false is returned; otherwise the list is emptied and true returned.
    bool SetTarget(int32_t wavelength);
    void Reset();
    // Moves the cursor by up to `steps` lines (> 0: toward longer wavelengths), a line listed
    // by several sources counting once, and makes its wavelength the target. Returns the lines
    // actually moved, signed like `steps`: 0 when the cursor stayed (empty list, already at that
    // end), and then nothing changes. A move to an end more than kWalkLimit lines away goes
    // there at once and returns the lines passed, each copy of a line counting.
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

    // Bytes held for the lines, for measurements.
    size_t MemoryBytes() const;

private:
    // A known place in the list and its slot, to walk from.
    struct Anchor {
        ListedLine place;
        uint32_t slot;
    };

    ListedLine LineAt(uint32_t slot) const;
    bool WindowHolds(uint32_t slot) const;
    void LoadWindow(uint32_t slot, const Anchor* hint) const;
    Anchor NearestAnchor(uint32_t slot, const Anchor* hint) const;
    Anchor AnchorAtSlot(uint32_t slot) const;
    void TrackCursor(const ListedLine& line);
    void PlaceCursor(uint32_t slot, const ListedLine& line);
    int JumpToEnd(bool up);
    static uint32_t Distance(int32_t a, int32_t b);

    ListedTables m_lines;
    ListedLine m_cursorLine;
    bool m_hasCursor = false;
    mutable uint32_t m_cursorSlot = kNone;  // kNone while not counted since the cursor moved
    int32_t m_target = 0;
    uint32_t m_bestDistance = 0xFFFFFFFF;
    uint64_t m_revision = 0;
    mutable std::vector<ListedLine> m_window;  // consecutive lines from slot m_windowFirst
    mutable uint32_t m_windowFirst = 0;
};
