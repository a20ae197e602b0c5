#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TableReader;

// Finds a wavelength in a table of sorted records in about a microsecond without mapping the
// file: the first wavelength of every block of 4096 records is read when the table opens (one
// record a block, about 2500 reads for ten million records), and that of every 64th record of
// a block, in one read of the block, the first time a search lands in it. A search then reads
// at most 64 records in one call and needs no block of the reader's cache. The index costs
// 260 bytes a block once searched: 0.6 MB for ten million records searched everywhere.
class WavelengthIndex {
public:
    static constexpr uint32_t kNotFound = 0xFFFFFFFF;
    static constexpr uint32_t kBlock = 4096;
    static constexpr uint32_t kStride = 64;

    // Reads the first wavelength of every block of the `count` records `reader` holds.
    void Build(const TableReader& reader, uint32_t count);
    // A record with exactly `wavelength` when there is one, else the last record below it;
    // kNotFound outside the range of the table or when it is empty. In a table that is not in
    // order, some record in range.
    uint32_t Find(const TableReader& reader, int32_t wavelength);
    // The first record at or above `wavelength`, or the record count when there is none. In a
    // table that is not in order, some record or the count.
    uint32_t FirstAtOrAbove(const TableReader& reader, int64_t wavelength);

private:
    using Strides = std::array<int32_t, kBlock / kStride>;
    const Strides& StridesOf(const TableReader& reader, uint32_t block);
    uint32_t FindInStride(const TableReader& reader, uint32_t first, int32_t wavelength) const;
    uint32_t FirstInStrideAtOrAbove(const TableReader& reader, uint32_t first,
                                    int32_t wavelength) const;

    uint32_t m_count = 0;
    int32_t m_lastWavelength = 0;
    std::vector<int32_t> m_blockFirst;
    std::vector<Strides> m_strides;  // by block, valid where m_strided says so
    std::vector<bool> m_strided;
    std::vector<unsigned char> m_blockBytes;  // a block being read for its strides
};
