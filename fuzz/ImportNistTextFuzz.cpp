#include "tools/NistTextReader.h"

#include <cstdint>

void CheckImportReader(const uint8_t* data, size_t size,
                       ReadResult (*read)(std::string_view, const ReadContext&, const LineSink&),
                       const ReadContext& context);

// The NIST text table, for a file named after its spectrum (as "FeII_vacuum.ascii" is).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadContext context;
    context.spectrum = SpectrumName{"Fe", 2};
    CheckImportReader(data, size, &NistTextReader::Read, context);
    return 0;
}
