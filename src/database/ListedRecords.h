#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Which records of one table the display list holds. A scan from one start outward lists a
// single run of records, kept as its two ends; once a filter leaves a gap, one bit a record of
// the table (1.25 MB for ten million records) with a count of set bits every 4096 records, so
// that counting and stepping stay quick however sparse the bits are. The bits are kept when
// the list is emptied, as the next fill under the same filter needs them again at once.
class ListedRecords {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    // Lists `record` of a table of `tableSize` records; false when it was listed already.
    bool Add(uint32_t record, uint32_t tableSize);
    void Clear();

    uint32_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    uint32_t Lowest() const { return m_lowest; }    // kNone when empty
    uint32_t Highest() const { return m_highest; }  // kNone when empty
    // How many listed records lie below `record`.
    uint32_t CountBelow(uint32_t record) const;
    // The first listed record at or above `record`, or the last at or below it; kNone when
    // there is none.
    uint32_t NextFrom(uint32_t record) const;
    uint32_t PreviousFrom(uint32_t record) const;
    size_t MemoryBytes() const;

private:
    static constexpr uint32_t kBlockBits = 4096;
    static constexpr uint32_t kBlockWords = kBlockBits / 64;

    bool IsRun() const { return !m_hasBits; }
    bool IsSet(uint32_t record) const { return (m_bits[record / 64] >> (record % 64) & 1U) != 0; }
    void SetBit(uint32_t record);
    void SetRun(uint32_t first, uint32_t last);
    void MakeBits(uint32_t tableSize);
    uint32_t FirstSetBitFrom(uint32_t record) const;
    uint32_t LastSetBitFrom(uint32_t record) const;

    uint32_t m_lowest = kNone;
    uint32_t m_highest = kNone;
    uint32_t m_count = 0;
    bool m_hasBits = false;               // else the records form one run
    std::vector<uint64_t> m_bits;         // kept, cleared, for the next fill's gaps
    std::vector<uint16_t> m_blockCounts;  // set bits in each 4096 records
};
