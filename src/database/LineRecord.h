#pragma once

#include <cstdint>

// One line of a wavelength table file: 9 bytes, little-endian, no padding.
struct LineRecord {
    static constexpr unsigned kSize = 9;

    // Decodes the 9 file bytes at `bytes`.
    static LineRecord FromBytes(const unsigned char* bytes);
    // Encodes into 9 bytes at `bytes`.
    void ToBytes(unsigned char* bytes) const;

    int32_t wavelength = 0;  // 0.001 Å; air at and above 1850 Å, vacuum below
    uint8_t elementCode = 0;
    uint8_t valenceCode = 0;
    uint8_t intensityCode = 0;  // 10 log10(relative intensity)
    uint8_t descriptionCode = 0;
    uint8_t referenceCode = 0;
};
