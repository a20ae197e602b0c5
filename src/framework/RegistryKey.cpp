#include "framework/RegistryKey.h"

#include "framework/SettingsStore.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <utility>

namespace {

constexpr std::size_t kDoubleSize = 8;

}  // namespace

RegistryKey::RegistryKey(SettingsStore& store, std::string path)
    : m_store(&store), m_path(SettingsStore::NormalizePath(path))
{
}

bool RegistryKey::Exists() const
{
    return m_store->KeyExists(m_path);
}

RegistryKey RegistryKey::CreateSubKey(std::string_view subPath) const
{
    return m_store->CreateKey(SubPath(subPath));
}

std::optional<RegistryKey> RegistryKey::OpenSubKey(std::string_view subPath) const
{
    return m_store->OpenKey(SubPath(subPath));
}

std::vector<std::string> RegistryKey::SubKeyNames() const
{
    return m_store->SubKeyNames(m_path);
}

std::vector<std::string> RegistryKey::ValueNames() const
{
    return m_store->ValueNames(m_path);
}

std::vector<std::uint32_t> RegistryKey::NumberedValues(std::string_view prefix,
                                                       std::string_view suffix,
                                                       std::uint32_t limit) const
{
    std::vector<std::uint32_t> numbers;
    for (const std::string& name : ValueNames()) {
        if (name.size() <= prefix.size() + suffix.size() ||
            !EqualsIgnoringCase(std::string_view(name).substr(0, prefix.size()), prefix) ||
            !EqualsIgnoringCase(std::string_view(name).substr(name.size() - suffix.size()),
                                suffix)) {
            continue;
        }
        const std::string_view digits = std::string_view(name).substr(
            prefix.size(), name.size() - prefix.size() - suffix.size());
        std::uint32_t n = 0;
        const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        // "01" names another value than "1", which is the one asked for.
        if (status == std::errc() && end == digits.data() + digits.size() && n < limit &&
            digits == std::to_string(n)) {
            numbers.push_back(n);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::optional<std::uint32_t> RegistryKey::GetDword(std::string_view name) const
{
    const auto value = m_store->GetValue(m_path, name);
    const auto* number = value ? std::get_if<std::uint32_t>(&*value) : nullptr;
    return number ? std::optional(*number) : std::nullopt;
}

std::optional<std::string> RegistryKey::GetString(std::string_view name) const
{
    auto value = m_store->GetValue(m_path, name);
    auto* text = value ? std::get_if<std::string>(&*value) : nullptr;
    return text ? std::optional(std::move(*text)) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> RegistryKey::GetBinary(std::string_view name) const
{
    auto value = m_store->GetValue(m_path, name);
    auto* bytes = value ? std::get_if<std::vector<std::uint8_t>>(&*value) : nullptr;
    return bytes ? std::optional(std::move(*bytes)) : std::nullopt;
}

std::optional<std::vector<std::uint8_t>> RegistryKey::GetBinary(std::string_view name,
                                                                std::size_t expectedSize) const
{
    auto bytes = GetBinary(name);
    return bytes && bytes->size() == expectedSize ? std::move(bytes) : std::nullopt;
}

std::optional<double> RegistryKey::GetDouble(std::string_view name) const
{
    const auto bytes = GetBinary(name, kDoubleSize);
    if (!bytes) {
        return std::nullopt;
    }
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < kDoubleSize; ++i) {
        bits |= std::uint64_t{(*bytes)[i]} << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

void RegistryKey::SetDword(std::string_view name, std::uint32_t value) const
{
    m_store->SetValue(m_path, name, value);
}

void RegistryKey::SetString(std::string_view name, std::string_view value) const
{
    m_store->SetValue(m_path, name, std::string(value));
}

void RegistryKey::SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) const
{
    m_store->SetValue(m_path, name, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void RegistryKey::SetDouble(std::string_view name, double value) const
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> bytes(kDoubleSize);
    for (std::size_t i = 0; i < kDoubleSize; ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    m_store->SetValue(m_path, name, std::move(bytes));
}

bool RegistryKey::HasValue(std::string_view name) const
{
    return m_store->HasValue(m_path, name);
}

bool RegistryKey::DeleteValue(std::string_view name) const
{
    return m_store->DeleteValue(m_path, name);
}

std::string RegistryKey::SubPath(std::string_view subPath) const
{
    return m_path + "\\" + std::string(subPath);
}
