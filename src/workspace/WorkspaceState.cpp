#include "workspace/WorkspaceState.h"

#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "framework/NumberFormat.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr const char* kRoot = "Software\\Spekla";
constexpr const char* kDataWindow = "Software\\Spekla\\Data Window";
constexpr const char* kElementWindow = "Software\\Spekla\\Element Window";
constexpr const char* kGraphWindow = "Software\\Spekla\\Graph Window";
constexpr const char* kElements = "Software\\Spekla\\Elements";
constexpr const char* kValences = "Software\\Spekla\\Valences";
constexpr const char* kExport = "Software\\Spekla\\Export";
constexpr uint32_t kCheckedFlag = 8;  // how check marks are stored
constexpr size_t kMaxElementValue = 127;

bool ReadFlag(const RegistryKey& key, const char* name, bool fallback)
{
    const auto value = key.GetDword(name);
    return value ? *value != 0 : fallback;
}

std::string Limited(std::optional<std::string> text, size_t length)
{
    return text ? text->substr(0, length) : std::string();
}

// True when a minimum intensity was stored.
bool RestoreDisplay(const RegistryKey& key, TableArray& tables)
{
    const auto minimum = key.GetDouble("Minimum intensity");
    const bool hasMinimum = minimum && std::isfinite(*minimum);
    if (hasMinimum) {
        tables.SetMinimumIntensity(std::max(*minimum, 0.0));
    }
    const uint32_t unitMode = key.GetDword("Display as").value_or(kUnitAir);
    tables.SetUnitMode(unitMode <= kUnitVacuum ? static_cast<int>(unitMode) : kUnitAir);
    const uint32_t decimals = key.GetDword("Decimals").value_or(3);
    tables.SetDecimals(decimals <= 4 ? static_cast<int>(decimals) : 3);
    // Only the target: the caller rebuilds once the selection is restored too.
    tables.DisplayList().SetTarget(static_cast<int32_t>(key.GetDword("Wavelength").value_or(1)));
    return hasMinimum;
}

// Exactly one of the three choices must be 1; anything else falls back to the default.
ExportSettings RestoreExport(const RegistryKey& key)
{
    ExportSettings settings;
    settings.FileName = Limited(key.GetString("Filename"), ExportSettings::kFileNameLength);
    settings.Range = Limited(key.GetString("Range"), ExportSettings::kRangeLength);
    const uint32_t data = key.GetDword("Data").value_or(settings.Data);
    const uint32_t summ = key.GetDword("Summ").value_or(settings.Summ);
    const uint32_t both = key.GetDword("Both").value_or(settings.Both);
    if (data + summ + both == 1 && data <= 1 && summ <= 1 && both <= 1) {
        settings.Data = static_cast<uint16_t>(data);
        settings.Summ = static_cast<uint16_t>(summ);
        settings.Both = static_cast<uint16_t>(both);
    }
    return settings;
}

void RestoreElements(const RegistryKey& key, TextTables& text)
{
    for (Element& element : text.ElementTable) {
        double ratio = 1.0;
        bool selected = true;
        const auto value = key.GetString(element.name);
        if (value && WorkspaceState::ParseElementValue(value->substr(0, kMaxElementValue), ratio,
                                                       selected)) {
            element.ratio = ratio;
            element.selected = selected ? 1 : 0;
        }
    }
}

void RestoreValences(const RegistryKey& key, TextTables& text)
{
    for (size_t i = 0; i < text.ValenceNameTable.size(); ++i) {
        const std::string& name = text.ValenceNameTable[i];
        if (auto flag = key.GetDword(name); flag && !name.empty()) {
            text.ValenceFlags[i] = *flag != 0 ? 1 : 0;
        }
    }
}

void SaveElements(const RegistryKey& key, TextTables& text)
{
    bool anySelected = false;
    for (const Element& element : text.ElementTable) {
        anySelected = anySelected || element.selected != 0;
    }
    for (Element& element : text.ElementTable) {
        if (!anySelected) {
            element.selected = 1;  // a saved state never hides every element
        }
        key.SetString(element.name, WorkspaceState::ElementValue(element.ratio, element.selected));
    }
}

}  // namespace

void WorkspaceState::Restore(SettingsStore& store, TextTables& text, TableArray& tables)
{
    const RegistryKey dataWindow = store.CreateKey(kDataWindow);
    dataWindowActive = ReadFlag(dataWindow, "Active", true);
    linear = ReadFlag(dataWindow, "Linear", true);
    const RegistryKey root = store.CreateKey(kRoot);
    scanRange = root.GetDword("Scan Range").value_or(0);
    hasMinimumIntensity = RestoreDisplay(root, tables);
    RestoreElements(store.CreateKey(kElements), text);
    RestoreValences(store.CreateKey(kValences), text);
    elementWindowActive = ReadFlag(store.CreateKey(kElementWindow), "Active", true);
    const RegistryKey graphWindow = store.CreateKey(kGraphWindow);
    graphWindowActive = ReadFlag(graphWindow, "Active", true);
    useSummation = graphWindow.GetDword("Use Summation");
    useRatiosChecked = ReadFlag(graphWindow, "Use Ratios", false);
    exportSettings = RestoreExport(store.CreateKey(kExport));
}

void WorkspaceState::Save(SettingsStore& store, TextTables& text, const TableArray& tables) const
{
    store.CreateKey(kElementWindow).SetDword("Active", elementWindowActive ? 1 : 0);
    store.CreateKey(kDataWindow).SetDword("Active", dataWindowActive ? 1 : 0);
    const RegistryKey graphWindow = store.CreateKey(kGraphWindow);
    graphWindow.SetDword("Active", graphWindowActive ? 1 : 0);
    graphWindow.SetDword("Use Ratios", useRatiosChecked ? kCheckedFlag : 0);
    SaveElements(store.CreateKey(kElements), text);
    const RegistryKey valences = store.CreateKey(kValences);
    for (size_t i = 0; i < text.ValenceNameTable.size(); ++i) {
        valences.SetDword(text.ValenceNameTable[i], text.ValenceFlags[i] != 0 ? 1 : 0);
    }
    const RegistryKey exportKey = store.CreateKey(kExport);
    exportKey.SetString("Filename", exportSettings.FileName);
    exportKey.SetString("Range", exportSettings.Range);
    exportKey.SetDword("Data", exportSettings.Data);
    exportKey.SetDword("Summ", exportSettings.Summ);
    exportKey.SetDword("Both", exportSettings.Both);
    const RegistryKey root = store.CreateKey(kRoot);
    root.SetDword("Wavelength", static_cast<uint32_t>(tables.DisplayList().CurrentWavelength()));
    root.SetDouble("Minimum intensity", tables.MinIntensity());
    root.SetString("Overlay file", overlayFileName);
    root.SetDword("Display As", static_cast<uint32_t>(tables.UnitMode()));
    root.SetDword("Decimals", static_cast<uint32_t>(tables.Decimals()));
    root.SetString("Element File", "ELEMENT");
    root.SetString("Valence File", "VALENCE");
    root.SetString("Reference File", "REFERENC");
    root.SetString("Description File", "DESCRIPT");
    root.SetDword("Scan Range", scanRange != 0 ? kCheckedFlag : 0);
}

std::string WorkspaceState::ElementValue(double ratio, bool selected)
{
    return FormatDefault(ratio) + (selected ? " 1" : " 0");
}

bool WorkspaceState::ParseElementValue(const std::string& text, double& ratio, bool& selected)
{
    const size_t blank = text.find(' ');
    const std::string ratioText = blank == std::string::npos ? text : text.substr(0, blank);
    const std::string selectedText = blank == std::string::npos ? text : text.substr(blank + 1);
    const double parsed = ParseLeadingDouble(ratioText);
    if (!std::isfinite(parsed)) {
        return false;
    }
    ratio = parsed;
    selected = std::atol(selectedText.c_str()) != 0;
    return true;
}
