#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

// Each settings value is described once, beside the code that owns it: the key (a backslash path
// below the store's root, such as "Software\\Spekla"), the value name, and what a valid value is.
// Restore and save both go through the descriptor. Stored gives the value only when it is there,
// of the right type and valid; Read gives the default otherwise. Write creates the key when
// missing. The key and name views must outlive the descriptor.

// A DWORD in [minimum, maximum].
struct DwordSetting {
    std::string_view key;
    std::string_view name;
    std::uint32_t defaultValue = 0;
    std::uint32_t minimum = 0;
    std::uint32_t maximum = std::numeric_limits<std::uint32_t>::max();

    std::optional<std::uint32_t> Stored(SettingsStore& store) const;
    std::uint32_t Read(SettingsStore& store) const;
    void Write(SettingsStore& store, std::uint32_t value) const;
};

// A DWORD read as on (nonzero) or off; on is written as `onValue` (8 for a stored check mark).
struct FlagSetting {
    std::string_view key;
    std::string_view name;
    bool defaultValue = false;
    std::uint32_t onValue = 1;

    std::optional<bool> Stored(SettingsStore& store) const;
    bool Read(SettingsStore& store) const;
    void Write(SettingsStore& store, bool on) const;
};

// An 8-byte binary value holding a little-endian IEEE double, finite and in [minimum, maximum].
struct DoubleSetting {
    std::string_view key;
    std::string_view name;
    double defaultValue = 0.0;
    double minimum = std::numeric_limits<double>::lowest();
    double maximum = std::numeric_limits<double>::max();

    std::optional<double> Stored(SettingsStore& store) const;
    double Read(SettingsStore& store) const;
    void Write(SettingsStore& store, double value) const;
};

// An SZ value (UTF-8) of at most maxLength bytes: longer text is cut, between characters, when
// read and when written.
struct StringSetting {
    std::string_view key;
    std::string_view name;
    std::string_view defaultValue;
    std::size_t maxLength = std::string_view::npos;

    std::optional<std::string> Stored(SettingsStore& store) const;
    std::string Read(SettingsStore& store) const;
    void Write(SettingsStore& store, std::string_view value) const;
};

// A binary value of exactly `size` bytes (a fixed layout); there is no default.
struct BinarySetting {
    std::string_view key;
    std::string_view name;
    std::size_t size = 0;

    std::optional<std::vector<std::uint8_t>> Stored(SettingsStore& store) const;
    // Bytes of another size are written as given and then read as missing.
    void Write(SettingsStore& store, std::span<const std::uint8_t> bytes) const;
};
