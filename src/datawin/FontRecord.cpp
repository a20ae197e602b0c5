#include "datawin/FontRecord.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kWeightOffset = 16;
constexpr std::size_t kFlagsOffset = 20;  // italic ... pitch and family, one byte each
constexpr std::size_t kFaceOffset = 28;
constexpr int64_t kMaxHeight = 1000;
constexpr int32_t kMaxWeight = 1000;

int32_t ReadInt32(const std::vector<uint8_t>& bytes, std::size_t offset)
{
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= uint32_t{bytes[offset + i]} << (8 * i);
    }
    return static_cast<int32_t>(value);
}

void WriteInt32(std::vector<uint8_t>& bytes, std::size_t offset, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

}  // namespace

std::optional<FontRecord> FontRecord::FromBytes(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() != kSize) {
        return std::nullopt;
    }
    const auto faceBegin = bytes.begin() + kFaceOffset;
    const auto faceEnd = std::find(faceBegin, bytes.end(), uint8_t{0});
    if (faceEnd == bytes.end() || faceEnd == faceBegin) {
        return std::nullopt;
    }
    FontRecord font;
    font.height = ReadInt32(bytes, 0);
    font.width = ReadInt32(bytes, 4);
    font.escapement = ReadInt32(bytes, 8);
    font.orientation = ReadInt32(bytes, 12);
    font.weight = ReadInt32(bytes, kWeightOffset);
    // Widened, so that the most negative height cannot overflow std::abs.
    const int64_t height = std::abs(int64_t{font.height});
    if (height == 0 || height > kMaxHeight || font.weight < 0 || font.weight > kMaxWeight) {
        return std::nullopt;
    }
    uint8_t* const flags[] = {&font.italic,  &font.underline,     &font.strikeOut,
                              &font.charSet, &font.outPrecision,  &font.clipPrecision,
                              &font.quality, &font.pitchAndFamily};
    for (std::size_t i = 0; i < std::size(flags); ++i) {
        *flags[i] = bytes[kFlagsOffset + i];
    }
    font.faceName.assign(faceBegin, faceEnd);
    return font;
}

std::vector<uint8_t> FontRecord::ToBytes() const
{
    std::vector<uint8_t> bytes(kSize, 0);
    WriteInt32(bytes, 0, height);
    WriteInt32(bytes, 4, width);
    WriteInt32(bytes, 8, escapement);
    WriteInt32(bytes, 12, orientation);
    WriteInt32(bytes, kWeightOffset, weight);
    const uint8_t flags[] = {italic,       underline,     strikeOut, charSet,
                             outPrecision, clipPrecision, quality,   pitchAndFamily};
    std::copy(std::begin(flags), std::end(flags), bytes.begin() + kFlagsOffset);
    // The last byte of the face stays zero: readers rely on finding the end inside the record.
    const std::size_t length = std::min(faceName.size(), kFaceSize - 1);
    std::memcpy(bytes.data() + kFaceOffset, faceName.data(), length);
    return bytes;
}

int FontRecord::PixelHeight() const
{
    if (height == std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::max();
    }
    return std::abs(height);
}
