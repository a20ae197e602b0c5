#include "ViewSettings.h"

#include "database/TableArray.h"
#include "database/TextTables.h"

#include <algorithm>

ViewSettings ViewSettings::Filtered()
{
    ViewSettings settings;
    settings.name = "filtered";
    settings.elements = {"Fe", "Ti", "Ni", "Mn", "Cr", "Co", "H",  "He", "Li", "C",
                         "N",  "O",  "Na", "Mg", "Al", "Si", "Ca", "Cu", "Zn", "Ag"};
    settings.valences = {1, 2};
    settings.minimumIntensity = 10.0;
    return settings;
}

ViewSettings ViewSettings::Unfiltered()
{
    ViewSettings settings;
    settings.name = "unfiltered";
    return settings;
}

std::vector<std::string> ViewSettings::Apply(TextTables& tables) const
{
    std::vector<std::string> unknown = elements;
    for (Element& element : tables.ElementTable) {
        const bool wanted = elements.empty() || std::find(elements.begin(), elements.end(),
                                                          element.name) != elements.end();
        element.selected = wanted ? 1 : 0;
        std::erase(unknown, element.name);
    }
    for (size_t code = 0; code < tables.ValenceFlags.size(); ++code) {
        const bool shown = valences.empty() || std::find(valences.begin(), valences.end(),
                                                         static_cast<int>(code)) != valences.end();
        tables.ValenceFlags[code] = shown ? 1 : 0;
    }
    return unknown;
}

std::unique_ptr<TableArray> ViewSettings::OpenTables(const TextTables& tables,
                                                     const std::string& folder) const
{
    auto array = std::make_unique<TableArray>(tables);
    array->SetMinimumIntensity(minimumIntensity);
    array->ScanDirectory(folder);
    return array;
}

bool ViewSettings::Admits(const LineRecord& line, const TextTables& tables) const
{
    if (line.elementCode >= tables.ElementTable.size()) {
        return false;
    }
    const std::string& name = tables.ElementTable[line.elementCode].name;
    const bool elementShown =
        elements.empty() || std::find(elements.begin(), elements.end(), name) != elements.end();
    const bool valenceShown =
        valences.empty() || std::find(valences.begin(), valences.end(),
                                      static_cast<int>(line.valenceCode)) != valences.end();
    return elementShown && valenceShown && line.intensityCode >= minimumIntensity;
}
