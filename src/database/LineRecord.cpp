#include "database/LineRecord.h"

LineRecord LineRecord::FromBytes(const unsigned char* bytes)
{
    LineRecord record;
    const uint32_t raw = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                         static_cast<uint32_t>(bytes[2]) << 16 |
                         static_cast<uint32_t>(bytes[3]) << 24;
    record.wavelength = static_cast<int32_t>(raw);
    record.elementCode = bytes[4];
    record.valenceCode = bytes[5];
    record.intensityCode = bytes[6];
    record.descriptionCode = bytes[7];
    record.referenceCode = bytes[8];
    return record;
}

void LineRecord::ToBytes(unsigned char* bytes) const
{
    const auto raw = static_cast<uint32_t>(wavelength);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(raw >> (8 * i));
    }
    bytes[4] = elementCode;
    bytes[5] = valenceCode;
    bytes[6] = intensityCode;
    bytes[7] = descriptionCode;
    bytes[8] = referenceCode;
}
