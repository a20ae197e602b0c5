#include "graph/Colour.h"

std::optional<Colour> Colour::FromReference(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != 4 || bytes[3] != 0) {
        return std::nullopt;
    }
    return Colour{bytes[0], bytes[1], bytes[2]};
}

std::optional<Colour> Colour::FromReference(std::uint32_t reference)
{
    const std::array<std::uint8_t, 4> bytes = {
        static_cast<std::uint8_t>(reference), static_cast<std::uint8_t>(reference >> 8),
        static_cast<std::uint8_t>(reference >> 16), static_cast<std::uint8_t>(reference >> 24)};
    return FromReference(bytes);
}

std::array<std::uint8_t, 4> Colour::ReferenceBytes() const
{
    return {red, green, blue, 0};
}

std::uint32_t Colour::Reference() const
{
    return red | (std::uint32_t{green} << 8) | (std::uint32_t{blue} << 16);
}
