#include "database/LineRecord.h"

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
