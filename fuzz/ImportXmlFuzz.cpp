#include "tools/XmlPeakReader.h"

#include <cstdint>

void CheckImportReader(const uint8_t* data, size_t size,
                       ReadResult (*read)(std::string_view, const ReadContext&, const LineSink&),
                       const ReadContext& context);

// The strong-line XML as imported with --stage II.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadContext context;
    context.stage = 2;
    CheckImportReader(data, size, &XmlPeakReader::Read, context);
    return 0;
}
