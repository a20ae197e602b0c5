#include "tools/CsvReader.h"

#include <cstdint>

void CheckImportReader(const uint8_t* data, size_t size,
                       ReadResult (*read)(std::string_view, const ReadContext&, const LineSink&),
                       const ReadContext& context);

// A plain list with --spectrum "Ca II" and --unit nm, the fallbacks for missing columns.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadContext context;
    context.spectrum = SpectrumName{"Ca", 2};
    context.unit = WavelengthUnit::kNanometre;
    CheckImportReader(data, size, &CsvReader::Read, context);
    return 0;
}
