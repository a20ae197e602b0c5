#include "tools/NistDelimitedReader.h"

#include <cstdint>

void CheckImportReader(const uint8_t* data, size_t size,
                       ReadResult (*read)(std::string_view, const ReadContext&, const LineSink&),
                       const ReadContext& context);

namespace {

// The CSV export, or the tab-separated one when the text holds a tab anywhere.
ReadResult ReadExport(std::string_view content, const ReadContext& context, const LineSink& sink)
{
    const char separator = content.find('\t') != std::string_view::npos ? '\t' : ',';
    return NistDelimitedReader::Read(content, separator, context, sink);
}

}  // namespace

// Without a spectrum from outside, so that the rows' own element and sp_num columns count.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckImportReader(data, size, &ReadExport, ReadContext{});
    return 0;
}
