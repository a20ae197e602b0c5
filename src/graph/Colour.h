#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// A display colour, 8 bits per channel. Stored as a 4-byte colour reference: red in the low
// byte, then green, blue and a zero byte.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    // Missing for a value of another size or with a nonzero fourth byte: that is no colour.
    static std::optional<Colour> FromReference(std::span<const std::uint8_t> bytes);
    static std::optional<Colour> FromReference(std::uint32_t reference);
    std::array<std::uint8_t, 4> ReferenceBytes() const;
    std::uint32_t Reference() const;

    friend bool operator==(const Colour&, const Colour&) = default;
};
