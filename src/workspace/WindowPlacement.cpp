#include "workspace/WindowPlacement.h"

namespace {

int32_t ReadInt(const std::vector<uint8_t>& bytes, size_t at)
{
    uint32_t raw = 0;
    for (size_t i = 0; i < 4; ++i) {
        raw |= uint32_t{bytes[at + i]} << (8 * i);
    }
    return static_cast<int32_t>(raw);
}

void WriteInt(std::vector<uint8_t>& bytes, int64_t value)
{
    const auto raw = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(raw >> (8 * i)));
    }
}

}  // namespace

std::optional<WindowPlacement> WindowPlacement::FromBytes(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() != kSize || ReadInt(bytes, 0) != static_cast<int32_t>(kSize)) {
        return std::nullopt;
    }
    WindowPlacement placement;
    placement.flags = static_cast<uint32_t>(ReadInt(bytes, 4));
    placement.showCommand = static_cast<uint32_t>(ReadInt(bytes, 8));
    placement.minPosition = {ReadInt(bytes, 12), ReadInt(bytes, 16)};
    placement.maxPosition = {ReadInt(bytes, 20), ReadInt(bytes, 24)};
    placement.left = ReadInt(bytes, 28);
    placement.top = ReadInt(bytes, 32);
    placement.right = ReadInt(bytes, 36);
    placement.bottom = ReadInt(bytes, 40);
    if (placement.right <= placement.left || placement.bottom <= placement.top) {
        return std::nullopt;
    }
    for (const int32_t edge : {placement.left, placement.top, placement.right, placement.bottom}) {
        if (edge < -kMaxCoordinate || edge > kMaxCoordinate) {
            return std::nullopt;
        }
    }
    return placement;
}

std::vector<uint8_t> WindowPlacement::ToBytes() const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(kSize);
    for (int64_t value :
         {int64_t{kSize}, int64_t{flags}, int64_t{showCommand}, int64_t{minPosition[0]},
          int64_t{minPosition[1]}, int64_t{maxPosition[0]}, int64_t{maxPosition[1]}, int64_t{left},
          int64_t{top}, int64_t{right}, int64_t{bottom}}) {
        WriteInt(bytes, value);
    }
    return bytes;
}
