#include "database/ListedRecords.h"

#include <algorithm>
#include <bit>

bool ListedRecords::Add(uint32_t record, uint32_t tableSize)
{
    if (record >= tableSize) {
        return false;
    }
    if (!IsEmpty() && IsRun()) {
        if (record >= m_lowest && record <= m_highest) {
            return false;
        }
        if (record != m_highest + 1 && record + 1 != m_lowest) {
            MakeBits(tableSize);  // a gap opens
        }
    }
    if (!IsRun()) {
        if (IsSet(record)) {
            return false;
        }
        SetBit(record);
    }
    m_lowest = IsEmpty() ? record : std::min(m_lowest, record);
    m_highest = IsEmpty() ? record : std::max(m_highest, record);
    ++m_count;
    return true;
}

// Only the words the list used are cleared: a rebuild at another wavelength is frequent.
void ListedRecords::Clear()
{
    if (m_hasBits) {
        std::fill(m_bits.begin() + m_lowest / 64, m_bits.begin() + m_highest / 64 + 1, 0);
        std::fill(m_blockCounts.begin() + m_lowest / kBlockBits,
                  m_blockCounts.begin() + m_highest / kBlockBits + 1, 0);
    }
    m_hasBits = false;
    m_lowest = m_highest = kNone;
    m_count = 0;
}

void ListedRecords::SetBit(uint32_t record)
{
    m_bits[record / 64] |= uint64_t{1} << (record % 64);
    ++m_blockCounts[record / kBlockBits];
}

void ListedRecords::SetRun(uint32_t first, uint32_t last)
{
    for (uint32_t record = first; record <= last;) {
        const uint32_t bit = record % 64;
        const uint32_t bits = std::min(64 - bit, last - record + 1);
        const uint64_t ones = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
        m_bits[record / 64] |= ones << bit;
        m_blockCounts[record / kBlockBits] +=
            static_cast<uint16_t>(bits);  // a word is in one block
        record += bits;
    }
}

// The run so far becomes bits, as a gap is about to open.
void ListedRecords::MakeBits(uint32_t tableSize)
{
    const size_t words = (size_t{tableSize} + 63) / 64;
    if (m_bits.size() != words) {
        m_bits.assign(words, 0);
        m_blockCounts.assign((size_t{tableSize} + kBlockBits - 1) / kBlockBits, 0);
    }
    m_hasBits = true;
    SetRun(m_lowest, m_highest);
}

uint32_t ListedRecords::CountBelow(uint32_t record) const
{
    if (IsEmpty() || record <= m_lowest) {
        return 0;
    }
    if (record > m_highest) {
        return m_count;
    }
    if (IsRun()) {
        return record - m_lowest;
    }
    uint32_t count = 0;
    const uint32_t block = record / kBlockBits;
    for (uint32_t b = m_lowest / kBlockBits; b < block; ++b) {
        count += m_blockCounts[b];
    }
    for (uint32_t w = block * kBlockWords; w < record / 64; ++w) {
        count += static_cast<uint32_t>(std::popcount(m_bits[w]));
    }
    const uint64_t below = (uint64_t{1} << (record % 64)) - 1;
    return count + static_cast<uint32_t>(std::popcount(m_bits[record / 64] & below));
}

uint32_t ListedRecords::NextFrom(uint32_t record) const
{
    if (IsEmpty() || record > m_highest) {
        return kNone;
    }
    record = std::max(record, m_lowest);
    return IsRun() ? record : FirstSetBitFrom(record);
}

uint32_t ListedRecords::PreviousFrom(uint32_t record) const
{
    if (IsEmpty() || record < m_lowest) {
        return kNone;
    }
    record = std::min(record, m_highest);
    return IsRun() ? record : LastSetBitFrom(record);
}

// Blocks without a set bit are passed whole; the highest record is set, so the search ends.
uint32_t ListedRecords::FirstSetBitFrom(uint32_t record) const
{
    uint32_t word = record / 64;
    uint64_t bits = m_bits[word] & (~uint64_t{0} << (record % 64));
    while (bits == 0) {
        ++word;
        if (word % kBlockWords == 0) {
            while (m_blockCounts[word / kBlockWords] == 0) {
                word += kBlockWords;
            }
        }
        bits = m_bits[word];
    }
    return word * 64 + static_cast<uint32_t>(std::countr_zero(bits));
}

// As above, downward; the lowest record is set.
uint32_t ListedRecords::LastSetBitFrom(uint32_t record) const
{
    uint32_t word = record / 64;
    const uint32_t shift = 63 - record % 64;
    uint64_t bits = m_bits[word] & (~uint64_t{0} >> shift);
    while (bits == 0) {
        if (word % kBlockWords == 0) {
            while (m_blockCounts[word / kBlockWords - 1] == 0) {
                word -= kBlockWords;
            }
        }
        --word;
        bits = m_bits[word];
    }
    return word * 64 + 63 - static_cast<uint32_t>(std::countl_zero(bits));
}

size_t ListedRecords::MemoryBytes() const
{
    return m_bits.capacity() * sizeof(uint64_t) + m_blockCounts.capacity() * sizeof(uint16_t);
}
