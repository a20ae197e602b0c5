#include "database/WavelengthIndex.h"

#include "database/LineRecord.h"
#include "database/TableReader.h"

#include <algorithm>

namespace {

// The wavelength of record `index`; `fallback` when it cannot be read (the file shrank).
int32_t WavelengthOf(const TableReader& reader, uint32_t index, int32_t fallback)
{
    unsigned char bytes[LineRecord::kSize];
    return reader.Probe(index, bytes) ? LineRecord::FromBytes(bytes).wavelength : fallback;
}

}  // namespace

void WavelengthIndex::Build(const TableReader& reader, uint32_t count)
{
    m_count = count;
    const uint32_t blocks = count == 0 ? 0 : (count - 1) / kBlock + 1;
    m_blockFirst.resize(blocks);
    for (uint32_t block = 0; block < blocks; ++block) {
        m_blockFirst[block] = WavelengthOf(reader, block * kBlock, 0);
    }
    m_lastWavelength = count == 0 ? 0 : WavelengthOf(reader, count - 1, 0);
    m_strides.assign(blocks, Strides{});
    m_strided.assign(blocks, false);
}

const WavelengthIndex::Strides& WavelengthIndex::StridesOf(const TableReader& reader,
                                                           uint32_t block)
{
    Strides& strides = m_strides[block];
    if (m_strided[block]) {
        return strides;
    }
    const uint32_t first = block * kBlock;
    const uint32_t count = std::min(kBlock, m_count - first);
    m_blockBytes.resize(size_t{kBlock} * LineRecord::kSize);
    const bool read = reader.ReadRecords(first, count, m_blockBytes.data());
    for (uint32_t s = 0; s < strides.size(); ++s) {
        const uint32_t offset = s * kStride;
        // Past the last record the strides repeat the last wavelength, never chosen below; a
        // block that cannot be read (the file shrank) is searched from its first record.
        strides[s] =
            offset >= count ? m_lastWavelength
            : read ? LineRecord::FromBytes(&m_blockBytes[offset * LineRecord::kSize]).wavelength
                   : (s == 0 ? m_blockFirst[block] : m_lastWavelength);
    }
    m_strided[block] = read;
    return strides;
}

uint32_t WavelengthIndex::FindInStride(const TableReader& reader, uint32_t first,
                                       int32_t wavelength) const
{
    const uint32_t count = std::min(kStride, m_count - first);
    unsigned char bytes[kStride * LineRecord::kSize];
    if (!reader.ReadRecords(first, count, bytes)) {
        return first;  // its first wavelength is known to lie at or below
    }
    // The last record at or below the wavelength, the first being one.
    uint32_t low = 0;
    uint32_t high = count;
    while (high - low > 1) {
        const uint32_t mid = low + (high - low) / 2;
        const int32_t found = LineRecord::FromBytes(bytes + mid * LineRecord::kSize).wavelength;
        if (found == wavelength) {
            return first + mid;
        }
        (found < wavelength ? low : high) = mid;
    }
    return first + low;
}

uint32_t WavelengthIndex::Find(const TableReader& reader, int32_t wavelength)
{
    if (m_count == 0 || wavelength < m_blockFirst.front() || wavelength > m_lastWavelength) {
        return kNotFound;
    }
    if (wavelength == m_lastWavelength) {
        return m_count - 1;
    }
    // Each search starts past the first entry, which lies at or below the wavelength (in a
    // table out of order, past whichever entry the search stops at).
    const auto block = static_cast<uint32_t>(std::max<std::ptrdiff_t>(
        std::upper_bound(m_blockFirst.begin(), m_blockFirst.end(), wavelength) -
            m_blockFirst.begin() - 1,
        0));
    const Strides& strides = StridesOf(reader, block);
    const auto stride = static_cast<uint32_t>(std::max<std::ptrdiff_t>(
        std::upper_bound(strides.begin(), strides.end(), wavelength) - strides.begin() - 1, 0));
    const uint32_t first = block * kBlock + stride * kStride;
    return strides[stride] == wavelength ? first : FindInStride(reader, first, wavelength);
}

uint32_t WavelengthIndex::FirstAtOrAbove(const TableReader& reader, int64_t wavelength)
{
    if (m_count == 0 || wavelength <= m_blockFirst.front()) {
        return 0;
    }
    if (wavelength > m_lastWavelength) {
        return m_count;
    }
    const auto target = static_cast<int32_t>(wavelength);
    // The answer follows the last block, and the last stride of it, that starts below.
    const auto block = static_cast<uint32_t>(std::max<std::ptrdiff_t>(
        std::lower_bound(m_blockFirst.begin(), m_blockFirst.end(), target) - m_blockFirst.begin() -
            1,
        0));
    const Strides& strides = StridesOf(reader, block);
    const auto stride = static_cast<uint32_t>(std::max<std::ptrdiff_t>(
        std::lower_bound(strides.begin(), strides.end(), target) - strides.begin() - 1, 0));
    return FirstInStrideAtOrAbove(reader, block * kBlock + stride * kStride, target);
}

uint32_t WavelengthIndex::FirstInStrideAtOrAbove(const TableReader& reader, uint32_t first,
                                                 int32_t wavelength) const
{
    const uint32_t count = std::min(kStride, m_count - first);
    unsigned char bytes[kStride * LineRecord::kSize];
    if (!reader.ReadRecords(first, count, bytes)) {
        return first;
    }
    uint32_t low = 0;  // the first record of the stride lies below
    uint32_t high = count;
    while (high - low > 1) {
        const uint32_t mid = low + (high - low) / 2;
        const int32_t found = LineRecord::FromBytes(bytes + mid * LineRecord::kSize).wavelength;
        (found < wavelength ? low : high) = mid;
    }
    return first + high;
}
