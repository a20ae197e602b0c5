#include "framework/SettingDescriptors.h"

#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "framework/StringUtil.h"

#include <cmath>

namespace {

// A handle only: reading must not create the key.
RegistryKey KeyOf(SettingsStore& store, std::string_view path)
{
    return RegistryKey(store, std::string(path));
}

}  // namespace

std::optional<std::uint32_t> DwordSetting::Stored(SettingsStore& store) const
{
    const auto value = KeyOf(store, key).GetDword(name);
    return value && *value >= minimum && *value <= maximum ? value : std::nullopt;
}

std::uint32_t DwordSetting::Read(SettingsStore& store) const
{
    return Stored(store).value_or(defaultValue);
}

void DwordSetting::Write(SettingsStore& store, std::uint32_t value) const
{
    KeyOf(store, key).SetDword(name, value);
}

std::optional<bool> FlagSetting::Stored(SettingsStore& store) const
{
    const auto value = KeyOf(store, key).GetDword(name);
    return value ? std::optional(*value != 0) : std::nullopt;
}

bool FlagSetting::Read(SettingsStore& store) const
{
    return Stored(store).value_or(defaultValue);
}

void FlagSetting::Write(SettingsStore& store, bool on) const
{
    KeyOf(store, key).SetDword(name, on ? onValue : 0);
}

std::optional<double> DoubleSetting::Stored(SettingsStore& store) const
{
    const auto value = KeyOf(store, key).GetDouble(name);
    return value && std::isfinite(*value) && *value >= minimum && *value <= maximum ? value
                                                                                    : std::nullopt;
}

double DoubleSetting::Read(SettingsStore& store) const
{
    return Stored(store).value_or(defaultValue);
}

void DoubleSetting::Write(SettingsStore& store, double value) const
{
    KeyOf(store, key).SetDouble(name, value);
}

std::optional<std::string> StringSetting::Stored(SettingsStore& store) const
{
    auto value = KeyOf(store, key).GetString(name);
    if (value && value->size() > maxLength) {
        value->resize(Utf8Prefix(*value, maxLength).size());
    }
    return value;
}

std::string StringSetting::Read(SettingsStore& store) const
{
    return Stored(store).value_or(std::string(defaultValue));
}

void StringSetting::Write(SettingsStore& store, std::string_view value) const
{
    KeyOf(store, key).SetString(name, Utf8Prefix(value, maxLength));
}

std::optional<std::vector<std::uint8_t>> BinarySetting::Stored(SettingsStore& store) const
{
    return KeyOf(store, key).GetBinary(name, size);
}

void BinarySetting::Write(SettingsStore& store, std::span<const std::uint8_t> bytes) const
{
    KeyOf(store, key).SetBinary(name, bytes);
}
