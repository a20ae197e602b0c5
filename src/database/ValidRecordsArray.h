#pragma once

#include "database/WaveData.h"
#include "framework/PageBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

class WavetableFile;

// The display list: every line that passed the filter, from all active table files, in order of
// wavelength, with a cursor on the current line. Lines arrive on both sides of the target while
// the list fills, so storage has free slots at both ends; slot numbers are stable between
// insertions except that growing at the front shifts them all. A line costs 10 bytes: its
// wavelength, record index and table index; the rest is read back from its file when needed.
class ValidRecordsArray {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;
    static constexpr uint32_t kMinimumGrowth = 25000;

    // `files` resolves a line's table index; it belongs to the owner and outlives the list.
    explicit ValidRecordsArray(const std::vector<std::unique_ptr<WavetableFile>>& files);

    uint32_t Count() const { return last == kNone ? 0 : last - first + 1; }
    bool IsEmpty() const { return last == kNone; }
    uint32_t First() const { return first; }
    uint32_t Last() const { return last; }
    uint32_t Cursor() const { return cursor; }
    int32_t Target() const { return target; }
    // The wavelength at the cursor, or the target when there is no cursor.
    int32_t CurrentWavelength() const;

    WaveData ItemAt(uint32_t slot) const;  // slot between First() and Last()
    int32_t WavelengthAt(uint32_t slot) const { return Items()[slot].wavelength; }
    bool IsDuplicate(uint32_t slotA, uint32_t slotB) const;

    void Insert(const WaveData& line);
    // The slot where a line of `wavelength` belongs (a slot holding it when present); kNone
    // when the list is empty.
    uint32_t Search(int32_t wavelength) const;
    // Centres the list on `wavelength`. When the list covers it, the cursor moves to the
    // nearest line and false is returned; otherwise the list is emptied and true returned.
    bool SetTarget(int32_t wavelength);
    void Reset();
    // Moves the cursor by `steps` lines, counting duplicates listed by several sources once.
    // False only when the list is empty.
    bool Move(int steps);

    // Bytes held by the storage, for measurements.
    size_t MemoryBytes() const;
    uint32_t CapacityLast() const { return capacityLast; }

private:
#pragma pack(push, 1)
    struct ListedLine {
        int32_t wavelength;
        uint32_t recordIndex;
        uint16_t tableIndex;
    };
#pragma pack(pop)
    static_assert(sizeof(ListedLine) == 10);

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
    uint32_t first = kNone;
    uint32_t last = kNone;
    uint32_t capacityLast;
    uint32_t cursor = kNone;
    int32_t target = 0;
    uint32_t bestDistance = 0xFFFFFFFF;
    uint32_t tolerance = 0;
    const std::vector<std::unique_ptr<WavetableFile>>& m_files;
};
