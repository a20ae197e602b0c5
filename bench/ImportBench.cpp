// The table maker's readers on inputs built to find quadratic work: a NIST text table whose
// header row is 1 MB of cells, a strong-line XML peak with a 2 MB attribute of character
// references, and a plain CSV list of 1,000,000 lines for the throughput. Prints one figure a
// line, in milliseconds, the fastest of three runs.
#include "Stopwatch.h"
#include "tools/CsvReader.h"
#include "tools/NistTextReader.h"
#include "tools/XmlPeakReader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string WideNistHeader(size_t bytes)
{
    // Two stacked header rows, so that the upper one is laid over the finest.
    std::string upper = "  Observed  |";
    std::string finest = " Wavelength |";
    while (finest.size() < bytes) {
        upper += "   Ritz    |";
        finest += " Air (A) |";
        upper.resize(finest.size(), ' ');
    }
    return upper + "\n" + finest + "\n" + std::string(40, '-') + "\n   5000.0  |  5000.1 |\n";
}

std::string ReferenceAttribute(size_t bytes)
{
    std::string text = "<spectrum id=\"e26\"><peak xValue=\"10\" yValue=\"5000\" note=\"";
    while (text.size() < bytes) {
        text += "&#65;&amp;&#x3B1;";
    }
    return text + "\"/></spectrum>\n";
}

std::string CsvList(size_t lines)
{
    std::string text = "wavelength,element,ion,intensity,description,reference\n";
    for (size_t i = 0; i < lines; ++i) {
        text += std::to_string(2000 + (i * 7919) % 8000) + "." + std::to_string(i % 1000) +
                ",Fe,II," + std::to_string(1 + i % 500) + ",bl,ref " + std::to_string(i % 9) + "\n";
    }
    return text;
}

template <typename Read>
void Report(const char* name, const std::string& content, Read read)
{
    double best = 1e300;
    size_t lines = 0;
    for (int run = 0; run < 3; ++run) {
        lines = 0;
        const LineSink sink = [&lines](const SourceLine&) { ++lines; };
        Stopwatch watch;
        const ReadResult result = read(content, ReadContext{}, sink);
        best = std::min(best, watch.Seconds());
        if (!result.error.empty()) {
            std::fprintf(stderr, "%s: %s\n", name, result.error.c_str());
            std::exit(1);
        }
    }
    std::printf("%s_ms: %.1f (%zu bytes, %zu lines)\n", name, best * 1e3, content.size(), lines);
}

}  // namespace

int main()
{
    Report("nist_text_1mb_header_row", WideNistHeader(1 << 20),
           [](std::string_view text, const ReadContext&, const LineSink& sink) {
               ReadContext context;
               context.spectrum = SpectrumName{"Fe", 1};
               return NistTextReader::Read(text, context, sink);
           });
    Report("xml_2mb_reference_attribute", ReferenceAttribute(2 << 20), &XmlPeakReader::Read);
    Report("csv_1m_lines", CsvList(1000000),
           [](std::string_view text, const ReadContext& context, const LineSink& sink) {
               return CsvReader::Read(text, context, sink);
           });
    return 0;
}
