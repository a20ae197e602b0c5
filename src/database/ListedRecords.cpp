#include "database/ListedRecords.h"

#include <algorithm>
#include <bit>

bool ListedRecords::Add(uint32_t record, uint32_t tableSize)
{
    if (record >= tableSize) {
        return false;
    }
    if (IsEmpty()) {
        m_lowest = m_highest = record;
        m_count = 1;
        return true;
    }
    if (IsRun()) {
        if (record >= m_lowest && record <= m_highest) {
            return false;
        }
        if (record == m_highest + 1 || record + 1 == m_lowest) {
            m_lowest = std::min(m_lowest, record);
            m_highest = std::max(m_highest, record);
            ++m_count;
            return true;
        }
        MakeBits(tableSize);
    }
    if (IsSet(record)) {
        return false;
    }
    SetBit(record);
    m_lowest = std::min(m_lowest, record);
    m_highest = std::max(m_highest, record);
    ++m_count;
    return true;
}

void ListedRecords::Clear()
{
    m_lowest = m_highest = kNone;
    m_count = 0;
    // Freed, not kept: the next fill may well be one run again.
    std::vector<uint64_t>().swap(m_bits);
    std::vector<uint16_t>().swap(m_blockCounts);
}

void ListedRecords::SetBit(uint32_t record)
{
    m_bits[record / 64] |= uint64_t{1} << (record % 64);
    ++m_blockCounts[record / kBlockBits];
}

// The run so far becomes bits, as a gap is about to open.
void ListedRecords::MakeBits(uint32_t tableSize)
{
    m_bits.assign((size_t{tableSize} + 63) / 64, 0);
    m_blockCounts.assign((size_t{tableSize} + kBlockBits - 1) / kBlockBits, 0);
    for (uint32_t record = m_lowest; record <= m_highest; ++record) {
        SetBit(record);
    }
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
