#include "database/WaveData.h"

bool WaveData::IsDuplicateOf(const WaveData& other) const
{
    return record.wavelength == other.record.wavelength &&
           record.elementCode == other.record.elementCode &&
           record.valenceCode == other.record.valenceCode;
}
