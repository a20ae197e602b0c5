#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

// A handle to a key of a SettingsStore: the store and the key's path, nothing cached. If the key
// is deleted later, reads give missing and a Set creates the key again. Reads of a missing value,
// or of one of another type or size, give an empty optional. The store must outlive the handle.
class RegistryKey {
public:
    RegistryKey(SettingsStore& store, std::string path);

    SettingsStore& Store() const { return *m_store; }
    // Normalized: no empty components; "" is the root.
    const std::string& Path() const { return m_path; }
    bool Exists() const;

    RegistryKey CreateSubKey(std::string_view subPath) const;
    std::optional<RegistryKey> OpenSubKey(std::string_view subPath) const;
    std::vector<std::string> SubKeyNames() const;
    std::vector<std::string> ValueNames() const;
    // The numbers n below `limit`, ascending, for which a value named prefix + n + suffix exists
    // (n written as std::to_string writes it; names compare without case). Lists of numbered
    // values are read this way so that a stored count costs no more than the values there are.
    std::vector<std::uint32_t> NumberedValues(std::string_view prefix, std::string_view suffix,
                                              std::uint32_t limit) const;

    // The empty name is the key's default value.
    std::optional<std::uint32_t> GetDword(std::string_view name) const;
    std::optional<std::string> GetString(std::string_view name) const;
    std::optional<std::vector<std::uint8_t>> GetBinary(std::string_view name) const;
    // Missing unless the value holds exactly expectedSize bytes (fixed layouts such as LOGFONT).
    std::optional<std::vector<std::uint8_t>> GetBinary(std::string_view name,
                                                       std::size_t expectedSize) const;
    // A binary value of 8 bytes: an IEEE 754 double, little-endian.
    std::optional<double> GetDouble(std::string_view name) const;

    void SetDword(std::string_view name, std::uint32_t value) const;
    void SetString(std::string_view name, std::string_view value) const;
    void SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) const;
    void SetDouble(std::string_view name, double value) const;

    bool HasValue(std::string_view name) const;
    bool DeleteValue(std::string_view name) const;

private:
    std::string SubPath(std::string_view subPath) const;

    SettingsStore* m_store;
    std::string m_path;
};
