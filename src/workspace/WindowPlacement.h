#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The main window's placement as stored: the 44-byte little-endian record of the original
// platform (length, flags, show command, minimised and maximised positions, normal rectangle).
struct WindowPlacement {
    static constexpr size_t kSize = 44;
    static constexpr uint32_t kShowNormal = 1;
    static constexpr uint32_t kShowMinimized = 2;
    static constexpr uint32_t kShowMaximized = 3;
    static constexpr uint32_t kShowMinimizedNoActive = 6;  // minimise, activate the next window
    static constexpr uint32_t kShowMinimizedInactive = 7;

    // Far beyond any arrangement of screens; a hand-edited record beyond it is refused, as Qt's
    // geometry would overflow on it.
    static constexpr int32_t kMaxCoordinate = 1000000;

    // Empty unless `bytes` holds exactly 44 bytes whose length field says 44 and whose normal
    // rectangle is not empty and lies within kMaxCoordinate of the origin.
    static std::optional<WindowPlacement> FromBytes(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> ToBytes() const;

    uint32_t flags = 0;
    uint32_t showCommand = kShowNormal;
    std::array<int32_t, 2> minPosition{-1, -1};
    std::array<int32_t, 2> maxPosition{-1, -1};
    int32_t left = 0;  // the normal (restored) rectangle
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
