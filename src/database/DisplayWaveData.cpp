#include "database/DisplayWaveData.h"

#include "database/TextTables.h"
#include "database/WavetableFile.h"

DisplayWaveData::DisplayWaveData(const WaveData& line, bool useRatios, bool passes,
                                 const TextTables& tables)
    : WaveData(line),
      elementName(tables.ElementName(line.record.elementCode)),
      valenceName(tables.ValenceName(line.record.valenceCode)),
      reference(tables.ReferenceText(line.record.referenceCode)),
      ratio(useRatios ? tables.ElementRatio(line.record.elementCode) : 1.0),
      passes(passes ? 1 : 0),
      intensity(line.record.intensityCode),
      description(tables.DescriptionText(line.record.descriptionCode))
{
}

std::optional<DisplayWaveData> DisplayWaveData::FromFile(const WavetableFile& file, uint32_t index,
                                                         const TextTables& tables)
{
    if (index >= file.RecordCount()) {
        return std::nullopt;
    }
    const WaveData line = file.RecordAt(index);
    return DisplayWaveData(line, file.UseRatios(), file.Passes(line.record), tables);
}
