#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

// The layout of a table's atomic data file (`NAME.swa` beside `NAME.swt`), little-endian:
//
//   header (64 bytes): "SPKATOM\n", version, record size, record count, the table's first and
//                      last 9-byte records (the file belongs to the table holding them), and
//                      the offsets of the text and level sections;
//   records:           one of kRecordSize bytes per line of the table, in the table's order;
//   texts:             count, then each text as a 16-bit length and its bytes; a record names
//                      configurations and terms by their number here, from 1 (0: none);
//   levels:            count of spectra, then per spectrum its element code, stage, level count
//                      and levels (energy as a double, weight as 16 bits): every level known to
//                      its lines, for partition functions.
namespace AtomicDataFormat {

inline constexpr char kMagic[8] = {'S', 'P', 'K', 'A', 'T', 'O', 'M', '\n'};
inline constexpr uint32_t kVersion = 1;
inline constexpr unsigned kHeaderSize = 64;
inline constexpr unsigned kRecordSize = 48;

// Header field offsets.
inline constexpr unsigned kVersionAt = 8;
inline constexpr unsigned kRecordSizeAt = 12;
inline constexpr unsigned kCountAt = 16;
inline constexpr unsigned kFirstRecordAt = 24;
inline constexpr unsigned kLastRecordAt = 33;
inline constexpr unsigned kTextsAt = 48;
inline constexpr unsigned kLevelsAt = 56;

// Record field offsets.
inline constexpr unsigned kAkiAt = 0;           // float
inline constexpr unsigned kLowerEnergyAt = 4;   // double
inline constexpr unsigned kUpperEnergyAt = 12;  // double
inline constexpr unsigned kUncertaintyAt = 20;  // float
inline constexpr unsigned kLowerWeightAt = 24;  // uint16
inline constexpr unsigned kUpperWeightAt = 26;  // uint16
inline constexpr unsigned kTextCodesAt = 28;    // 4 × uint32: lower conf., term, upper ...
inline constexpr unsigned kFlagsAt = 44;        // uint8
inline constexpr uint8_t kRitzFlag = 1;

template <typename T>
void Put(unsigned char* at, T value)
{
    auto raw = std::bit_cast<std::conditional_t<
        sizeof(T) == 8, uint64_t, std::conditional_t<sizeof(T) == 4, uint32_t, uint16_t>>>(value);
    for (unsigned i = 0; i < sizeof(T); ++i) {
        at[i] = static_cast<unsigned char>(raw >> (8 * i));
    }
}

template <typename T>
T Get(const unsigned char* at)
{
    using Raw = std::conditional_t<sizeof(T) == 8, uint64_t,
                                   std::conditional_t<sizeof(T) == 4, uint32_t, uint16_t>>;
    Raw raw = 0;
    for (unsigned i = 0; i < sizeof(T); ++i) {
        raw = static_cast<Raw>(raw | Raw{at[i]} << (8 * i));
    }
    return std::bit_cast<T>(raw);
}

template <typename T>
void Append(std::string& bytes, T value)
{
    unsigned char buffer[sizeof(T)];
    Put(buffer, value);
    bytes.append(reinterpret_cast<const char*>(buffer), sizeof(T));
}

}  // namespace AtomicDataFormat
