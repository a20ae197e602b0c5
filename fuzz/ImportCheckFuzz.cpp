// The properties every reader of the table maker keeps, shared by its fuzz targets.
#include "FuzzCheck.h"
#include "tools/CodeTable.h"
#include "tools/ElementLookup.h"
#include "tools/SourceLine.h"
#include "tools/TableBuilder.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

using ImportReadFunction = ReadResult (*)(std::string_view content, const ReadContext& context,
                                          const LineSink& sink);

namespace {

using LineKey = std::tuple<bool, std::optional<double>, int, int, std::string, int, int,
                           std::string, std::string, int>;

LineKey KeyOf(const SourceLine& line)
{
    return {line.malformed,
            line.value,
            static_cast<int>(line.scale.unit),
            static_cast<int>(line.scale.medium),
            line.symbol,
            line.atomicNumber,
            line.stage,
            line.description,
            line.reference,
            line.intensityCode};
}

const ElementLookup& Elements()
{
    static const ElementLookup elements = [] {
        ElementLookup lookup;
        std::string error;
        FUZZ_CHECK(lookup.Load(SPEKLA_ELEMENTS_FILE, &error), "the sample ELEMENTS loads");
        return lookup;
    }();
    return elements;
}

}  // namespace

// Reads `data` twice with `read` and checks what comes out: the same both times, every number
// finite, and every record built from it a valid one, in table order.
void CheckImportReader(const uint8_t* data, size_t size, ImportReadFunction read,
                       const ReadContext& context)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    std::vector<LineKey> first;
    std::vector<LineKey> second;
    CodeTable descriptions;
    CodeTable references;
    FUZZ_CHECK(descriptions.Load("", nullptr) && references.Load("", nullptr),
               "a missing code table loads empty");
    TableBuilder builder(Elements(), descriptions, references);
    ImportCounts counts;
    const ReadResult result = read(content, context, [&](const SourceLine& line) {
        first.push_back(KeyOf(line));
        if (!line.malformed && line.value) {
            FUZZ_CHECK(std::isfinite(*line.value), "a value read is finite");
        }
        builder.Add(line, counts);
    });
    const ReadResult again =
        read(content, context, [&](const SourceLine& line) { second.push_back(KeyOf(line)); });
    FUZZ_CHECK(result.error == again.error && first == second, "reading is deterministic");
    if (!result.error.empty()) {
        return;  // the import stops here and writes nothing
    }
    FUZZ_CHECK(counts.read == first.size(), "every line read is counted");
    size_t skipped = 0;
    for (const size_t n : counts.skipped) {
        skipped += n;
    }
    FUZZ_CHECK(skipped + builder.Count() == counts.read, "a line is either kept or skipped");
    std::vector<uint32_t> order;
    const std::vector<LineRecord> records = builder.TakeSortedRecords(order);
    FUZZ_CHECK(order.size() == records.size(), "every record has its place in reading order");
    for (size_t i = 0; i < records.size(); ++i) {
        const LineRecord& record = records[i];
        FUZZ_CHECK(record.wavelength > 0, "every kept wavelength is positive");
        FUZZ_CHECK(i == 0 || records[i - 1].wavelength <= record.wavelength,
                   "records are in wavelength order");
        FUZZ_CHECK(record.elementCode < Elements().Count(), "every element is known");
        FUZZ_CHECK(record.valenceCode <= SpectrumName::kHighestStage, "every stage is known");
        FUZZ_CHECK(record.descriptionCode <= descriptions.NewTextCount() &&
                       record.referenceCode <= references.NewTextCount(),
                   "every text code names a text");
    }
    FUZZ_CHECK(TableBuilder::Encode(records).size() == records.size() * LineRecord::kSize,
               "the table holds every record");
}
