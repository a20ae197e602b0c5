#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A font as the settings keep it: the 60-byte little-endian logical-font record (height,
// width, escapement, orientation, weight as 32-bit integers; italic, underline, strike-out,
// character set, output precision, clip precision, quality, pitch and family as bytes; a face
// name of 32 bytes ending in a zero byte).
struct FontRecord {
    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kFaceSize = 32;

    int32_t height = -13;  // negative: character height in pixels; positive: cell height
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;  // 100 to 900, 400 normal, 700 bold; 0 means normal
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::string faceName = "Arial";  // at most 31 bytes

    // Empty for a record that is not exactly 60 bytes, has no zero byte in its face name, an
    // empty face name, a height of 0 or beyond ±1000 pixels, or a weight outside 0 to 1000.
    static std::optional<FontRecord> FromBytes(const std::vector<uint8_t>& bytes);
    // The face name is cut to 31 bytes.
    std::vector<uint8_t> ToBytes() const;
    // The character height in pixels (the absolute height).
    int PixelHeight() const;

    bool operator==(const FontRecord&) const = default;
};
