#include "workspace/WorkspaceState.h"

#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/SettingDescriptors.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr std::string_view kRoot = "Software\\Spekla";
constexpr std::string_view kDataWindow = "Software\\Spekla\\Data Window";
constexpr std::string_view kElementWindow = "Software\\Spekla\\Element Window";
constexpr std::string_view kGraphWindow = "Software\\Spekla\\Graph Window";
constexpr std::string_view kElements = "Software\\Spekla\\Elements";
constexpr std::string_view kValences = "Software\\Spekla\\Valences";
constexpr std::string_view kExport = "Software\\Spekla\\Export";
constexpr uint32_t kCheckMark = 8;  // how check marks are stored
constexpr size_t kMaxElementValue = 127;

constexpr FlagSetting kElementWindowActive{kElementWindow, "Active", true};
constexpr FlagSetting kDataWindowActive{kDataWindow, "Active", true};
constexpr FlagSetting kGraphWindowActive{kGraphWindow, "Active", true};
constexpr FlagSetting kLinear{kDataWindow, "Linear", false};
constexpr FlagSetting kUseRatios{kGraphWindow, "Use Ratios", false, kCheckMark};

constexpr FlagSetting kScanRange{kRoot, "Scan Range", false, kCheckMark};
constexpr DwordSetting kWavelength{kRoot, "Wavelength", 1, 0, INT32_MAX};
// Without a stored minimum the tables keep their own.
constexpr DoubleSetting kMinimumIntensity{kRoot, "Minimum intensity", 0.0, 0.0};
constexpr DwordSetting kDisplayAs{kRoot, "Display As", kUnitAir, 0, kUnitVacuum};
constexpr DwordSetting kDecimals{kRoot, "Decimals", 3, 0, Limits::kMaxDecimals};
constexpr StringSetting kOverlayFile{kRoot, "Overlay file", ""};
// The sizes the user gave the panes by dragging the bars between them.
constexpr StringSetting kPaneProportions{kRoot, "Pane Proportions", "", 200};
// The text files' fixed names: written on every save, never read back.
constexpr StringSetting kTextFiles[] = {
    {kRoot, "Element File", "ELEMENT"},
    {kRoot, "Valence File", "VALENCE"},
    {kRoot, "Reference File", "REFERENC"},
    {kRoot, "Description File", "DESCRIPT"},
};

const ExportSettings kExportDefaults;
const StringSetting kExportFileName{kExport, "Filename", "", ExportSettings::kFileNameLength};
const StringSetting kExportRange{kExport, "Range", "", ExportSettings::kRangeLength};
const DwordSetting kExportData{kExport, "Data", kExportDefaults.Data, 0, 1};
const DwordSetting kExportSumm{kExport, "Summ", kExportDefaults.Summ, 0, 1};
const DwordSetting kExportBoth{kExport, "Both", kExportDefaults.Both, 0, 1};
const DwordSetting kExportPeaks{kExport, "Peaks", kExportDefaults.Peaks, 0, 1};

// Elements and valences are named by the tables: one value per element symbol, holding
// ElementValue's text, and one flag per valence name. A missing or unreadable value leaves the
// element or valence as the tables made it.
StringSetting ElementSetting(std::string_view symbol)
{
    return {kElements, symbol, "", kMaxElementValue};
}

FlagSetting ValenceSetting(std::string_view name)
{
    return {kValences, name, true};
}

// True when a minimum intensity was stored.
void RestoreDisplay(SettingsStore& store, TableArray& tables)
{
    if (const auto minimum = kMinimumIntensity.Stored(store)) {
        tables.SetMinimumIntensity(*minimum);
    }
    tables.SetUnitMode(static_cast<UnitMode>(kDisplayAs.Read(store)));
    tables.SetDecimals(static_cast<int>(kDecimals.Read(store)));
    // Only the target: the caller rebuilds once the selection is restored too.
    tables.DisplayList().SetTarget(static_cast<int32_t>(kWavelength.Read(store)));
}

// Exactly one of the choices must be 1; anything else falls back to the default.
ExportSettings RestoreExport(SettingsStore& store)
{
    ExportSettings settings;
    settings.FileName = kExportFileName.Read(store);
    settings.Range = kExportRange.Read(store);
    const uint32_t data = kExportData.Read(store);
    const uint32_t summ = kExportSumm.Read(store);
    const uint32_t both = kExportBoth.Read(store);
    const uint32_t peaks = kExportPeaks.Read(store);
    if (data + summ + both + peaks == 1) {
        settings.Data = static_cast<uint16_t>(data);
        settings.Summ = static_cast<uint16_t>(summ);
        settings.Both = static_cast<uint16_t>(both);
        settings.Peaks = static_cast<uint16_t>(peaks);
    }
    return settings;
}

void SaveExport(SettingsStore& store, const ExportSettings& settings)
{
    kExportFileName.Write(store, settings.FileName);
    kExportRange.Write(store, settings.Range);
    kExportData.Write(store, settings.Data);
    kExportSumm.Write(store, settings.Summ);
    kExportBoth.Write(store, settings.Both);
    kExportPeaks.Write(store, settings.Peaks);
}

void RestoreElements(SettingsStore& store, TextTables& text)
{
    for (Element& element : text.ElementTable) {
        double ratio = 1.0;
        bool selected = true;
        const auto value = ElementSetting(element.name).Stored(store);
        if (value && WorkspaceState::ParseElementValue(*value, ratio, selected)) {
            element.ratio = ratio;
            element.selected = selected ? 1 : 0;
        }
    }
}

void SaveElements(SettingsStore& store, TextTables& text)
{
    bool anySelected = false;
    for (const Element& element : text.ElementTable) {
        anySelected = anySelected || element.selected != 0;
    }
    for (Element& element : text.ElementTable) {
        if (!anySelected) {
            element.selected = 1;  // a saved state never hides every element
        }
        ElementSetting(element.name)
            .Write(store, WorkspaceState::ElementValue(element.ratio, element.selected));
    }
}

void RestoreValences(SettingsStore& store, TextTables& text)
{
    for (size_t i = 0; i < text.ValenceNameTable.size(); ++i) {
        const std::string& name = text.ValenceNameTable[i];
        if (auto flag = ValenceSetting(name).Stored(store); flag && !name.empty()) {
            text.ValenceFlags[i] = *flag ? 1 : 0;
        }
    }
}

void SaveValences(SettingsStore& store, const TextTables& text)
{
    for (size_t i = 0; i < text.ValenceNameTable.size(); ++i) {
        ValenceSetting(text.ValenceNameTable[i]).Write(store, text.ValenceFlags[i] != 0);
    }
}

}  // namespace

void WorkspaceState::Restore(SettingsStore& store, TextTables& text, TableArray& tables)
{
    dataWindowActive = kDataWindowActive.Read(store);
    tables.SetLinear(kLinear.Read(store));
    scanRange = kScanRange.Read(store) ? kScanRange.onValue : 0;
    RestoreDisplay(store, tables);
    RestoreElements(store, text);
    RestoreValences(store, text);
    elementWindowActive = kElementWindowActive.Read(store);
    graphWindowActive = kGraphWindowActive.Read(store);
    tables.SetUseRatios(kUseRatios.Read(store));
    exportSettings = RestoreExport(store);
    paneProportions = kPaneProportions.Read(store);
    overlayFileName = kOverlayFile.Read(store);
}

void WorkspaceState::Save(SettingsStore& store, TextTables& text, const TableArray& tables) const
{
    kElementWindowActive.Write(store, elementWindowActive);
    kDataWindowActive.Write(store, dataWindowActive);
    kGraphWindowActive.Write(store, graphWindowActive);
    kUseRatios.Write(store, tables.UseRatios());
    kLinear.Write(store, tables.Linear());
    SaveElements(store, text);
    SaveValences(store, text);
    SaveExport(store, exportSettings);
    kWavelength.Write(store, static_cast<uint32_t>(tables.DisplayList().CurrentWavelength()));
    kMinimumIntensity.Write(store, tables.MinIntensity());
    kOverlayFile.Write(store, overlayFileName);
    kDisplayAs.Write(store, static_cast<uint32_t>(tables.UnitMode()));
    kDecimals.Write(store, static_cast<uint32_t>(tables.Decimals()));
    for (const StringSetting& file : kTextFiles) {
        file.Write(store, file.defaultValue);
    }
    kScanRange.Write(store, scanRange != 0);
    kPaneProportions.Write(store, paneProportions);
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
