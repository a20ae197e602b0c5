#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// One line of a wavelength table file: 9 bytes, little-endian, no padding.
struct LineRecord {
    static constexpr unsigned kSize = 9;

    // Decodes the 9 file bytes at `bytes`. Inline: it runs once for every record read.
    static LineRecord FromBytes(const unsigned char* bytes)
    {
        uint32_t raw;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&raw, bytes, sizeof raw);
        } else {
            raw = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                  uint32_t{bytes[3]} << 24;
        }
        LineRecord record;
        record.wavelength = static_cast<int32_t>(raw);
        record.elementCode = bytes[4];
        record.valenceCode = bytes[5];
        record.intensityCode = bytes[6];
        record.descriptionCode = bytes[7];
        record.referenceCode = bytes[8];
        return record;
    }
    // Encodes into 9 bytes at `bytes`.
    void ToBytes(unsigned char* bytes) const;

    int32_t wavelength = 0;  // 0.001 Å; air at and above 1850 Å, vacuum below
    uint8_t elementCode = 0;
    uint8_t valenceCode = 0;
    uint8_t intensityCode = 0;  // 10 log10(relative intensity)
    uint8_t descriptionCode = 0;
    uint8_t referenceCode = 0;
};
