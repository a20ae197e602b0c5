#include "database/DataSources.h"

#include "database/TableArray.h"
#include "framework/Limits.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "framework/StringUtil.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kMaxFileName = 127;
constexpr size_t kShortcutCount = 10;

std::string Numbered(const char* prefix, size_t index)
{
    return prefix + std::to_string(index);
}

// A hand-edited scale outside what the source dialog accepts (negative, NaN, huge) is ignored.
void ApplyEntry(WavetableFile& file, const RegistryKey& key, size_t n)
{
    if (auto label = key.GetString(Numbered("Label ", n))) {
        file.SetLabel(*label);
    }
    if (auto active = key.GetDword(Numbered("Active ", n))) {
        *active != 0 ? file.Activate() : file.Deactivate();
    }
    const auto scale = key.GetDouble(Numbered("Scale ", n));
    if (scale && Limits::kSourceScale.Contains(*scale)) {
        file.SetScale(*scale);
    }
}

}  // namespace

void DataSources::Restore(TableArray& tables, SettingsStore& store)
{
    const RegistryKey key = store.CreateKey(kKey);
    // Only the "File n" values stored are visited: a hand-edited count of ffffffff costs nothing.
    const uint32_t count = key.GetDword("Files").value_or(0);
    for (const uint32_t n : key.NumberedValues("File ", "", count)) {
        const auto name = key.GetString(Numbered("File ", n));
        if (!name) {
            continue;
        }
        const std::string fileName = ToLower(*name);
        for (size_t i = 0; i < tables.FileCount(); ++i) {
            if (tables.FileAt(i).FileName() == fileName) {
                ApplyEntry(tables.FileAt(i), key, n);
                break;
            }
        }
    }
}

void DataSources::Save(TableArray& tables, SettingsStore& store)
{
    // The store is written to disk as a whole and atomically, so deleting the key first leaves
    // no moment at which a crash loses it.
    store.DeleteKey(kKey);
    const RegistryKey key = store.CreateKey(kKey);
    bool anyActive = false;
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        anyActive = anyActive || tables.IsActive(i);
    }
    key.SetDword("Files", static_cast<uint32_t>(tables.FileCount()));
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        WavetableFile& file = tables.FileAt(i);
        if (!anyActive) {
            file.Activate();
        }
        key.SetString(Numbered("File ", i), file.FileName().substr(0, kMaxFileName));
        key.SetString(Numbered("Label ", i), file.Label());
        key.SetDword(Numbered("Active ", i), file.IsActive() ? 1 : 0);
        key.SetDouble(Numbered("Scale ", i), file.Scale());
    }
}

void DataSources::ActivateListed(TableArray& tables, const std::vector<std::string>& labels)
{
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        tables.SetActive(i, false);
    }
    bool anyActive = false;
    for (const std::string& label : labels) {
        for (size_t i = 0; i < tables.FileCount(); ++i) {
            if (EqualsIgnoringCase(tables.FileAt(i).Label(), label)) {
                tables.SetActive(i, true);
                anyActive = true;
                break;
            }
        }
    }
    if (!anyActive) {
        ActivateAll(tables);
    }
}

void DataSources::ActivateAll(TableArray& tables)
{
    for (size_t i = 0; i < tables.FileCount(); ++i) {
        tables.SetActive(i, true);
    }
}

std::string DataSources::MenuText(size_t index, const std::string& label, bool renewing)
{
    const std::string number = std::to_string(index + 1);
    if (index < kShortcutCount) {
        // The tenth source is on Ctrl+0, the key beside Ctrl+9.
        return "&" + number + "  " + label + "\tCtrl+" + std::to_string((index + 1) % 10);
    }
    return renewing ? "&" + number + "  " + label : label;
}
