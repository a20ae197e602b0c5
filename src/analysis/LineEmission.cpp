#include "analysis/LineEmission.h"

#include "analysis/Plasma.h"
#include "database/AtomicDataFile.h"
#include "database/DisplayWaveData.h"
#include "database/ElementFacts.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/WavetableFile.h"

LineEmission::LineEmission(const SpectrumSettings& settings, const TableArray& tables)
    : m_settings(settings), m_tables(tables), m_shift(settings.Shift())
{
}

LineEmission::Strength LineEmission::Intensity(const DisplayWaveData& line) const
{
    const double tabulated = IntensityValue(line, true, true, true);
    if (!m_settings.UsesTemperature() || line.table == nullptr ||
        line.table->AtomicData() == nullptr) {
        return {tabulated, false};
    }
    const auto atomic = line.table->AtomicData()->Emission(line.recordIndex);
    const double partition = Partition(line.record.elementCode, line.record.valenceCode);
    if (!atomic || !atomic->IsKnown() || !(partition > 0.0) || line.record.wavelength <= 0) {
        return {tabulated, false};
    }
    const double kT = m_settings.temperature;
    const double emission = atomic->upperWeight * atomic->aki *
                            Plasma::BoltzmannFactor(atomic->upperEnergy, kT) /
                            (partition * line.record.wavelength * 0.001);
    return {emission * StageShare(line) * line.table->Scale() * line.ratio, true};
}

// The first open table that knows levels of the spectrum gives them: a list of one stage may
// come without the other, which another table then supplies.
double LineEmission::Partition(uint8_t element, uint8_t stage) const
{
    const auto [at, added] = m_partitions.try_emplace({element, stage}, 0.0);
    if (!added) {
        return at->second;
    }
    for (size_t i = 0; i < m_tables.FileCount(); ++i) {
        const AtomicDataFile* atomic = m_tables.FileAt(i).AtomicData();
        if (atomic != nullptr && !atomic->Levels(element, stage).empty()) {
            at->second =
                Plasma::PartitionFunction(atomic->Levels(element, stage), m_settings.temperature);
            break;
        }
    }
    return at->second;
}

// Without a density, or for stages the balance does not cover, every atom counts. A stage
// whose partner's levels are unknown takes U = 1 for it (its ground level alone).
double LineEmission::StageShare(const DisplayWaveData& line) const
{
    const uint8_t stage = line.record.valenceCode;
    if (!(m_settings.density > 0.0) || (stage != 1 && stage != 2)) {
        return 1.0;
    }
    const uint8_t element = line.record.elementCode;
    const auto [at, added] = m_ionisedShares.try_emplace(element, -1.0);
    if (added) {
        const ElementFact* fact = ElementFacts::Installed().BySymbol(line.elementName);
        if (fact != nullptr && fact->ionisation > 0.0) {
            const double neutral = Partition(element, 1);
            const double ion = Partition(element, 2);
            const double ratio = Plasma::IonisationRatio(
                m_settings.temperature, m_settings.density, fact->ionisation,
                neutral > 0.0 ? neutral : 1.0, ion > 0.0 ? ion : 1.0);
            at->second = ratio / (1.0 + ratio);
        }
    }
    if (at->second < 0.0) {
        return 1.0;  // no ionisation energy known: no balance
    }
    return stage == 2 ? at->second : 1.0 - at->second;
}
