#include "tools/TableBuilder.h"

#include "tools/CodeTable.h"
#include "tools/ElementLookup.h"

#include <algorithm>
#include <utility>

TableBuilder::TableBuilder(const ElementLookup& elements, CodeTable& descriptions,
                           CodeTable& references)
    : m_elements(elements), m_descriptions(descriptions), m_references(references)
{
}

void TableBuilder::Add(const SourceLine& line, ImportCounts& counts)
{
    ++counts.read;
    const auto skip = [&counts](SkipReason reason) {
        ++counts.skipped[static_cast<size_t>(reason)];
    };
    if (line.malformed) {
        return skip(SkipReason::kMalformed);
    }
    const auto wavelength = line.value ? line.scale.ToStored(*line.value) : std::nullopt;
    if (!wavelength) {
        return skip(SkipReason::kNoWavelength);
    }
    const auto element = ElementCode(line);
    if (!element) {
        return skip(SkipReason::kUnknownElement);
    }
    if (line.stage < 0 || line.stage > SpectrumName::kHighestStage) {
        return skip(SkipReason::kUnknownStage);
    }
    LineRecord record;
    record.wavelength = *wavelength;
    record.elementCode = *element;
    record.valenceCode = static_cast<uint8_t>(line.stage);
    record.intensityCode = line.intensityCode;
    const auto description = m_descriptions.CodeFor(line.description);
    const auto reference = m_references.CodeFor(line.reference);
    counts.descriptionsFull += description ? 0 : 1;
    counts.referencesFull += reference ? 0 : 1;
    record.descriptionCode = description.value_or(0);
    record.referenceCode = reference.value_or(0);
    m_records.push_back(record);
}

std::optional<uint8_t> TableBuilder::ElementCode(const SourceLine& line) const
{
    if (!line.symbol.empty()) {
        return m_elements.BySymbol(line.symbol);
    }
    if (line.atomicNumber > 0) {
        return m_elements.ByAtomicNumber(line.atomicNumber);
    }
    return std::nullopt;
}

std::vector<LineRecord> TableBuilder::TakeSortedRecords()
{
    std::vector<LineRecord> records = std::move(m_records);
    m_records.clear();
    std::stable_sort(records.begin(), records.end(), [](const LineRecord& a, const LineRecord& b) {
        return a.wavelength < b.wavelength;
    });
    return records;
}

std::string TableBuilder::Encode(const std::vector<LineRecord>& records)
{
    std::string bytes(records.size() * LineRecord::kSize, '\0');
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].ToBytes(reinterpret_cast<unsigned char*>(&bytes[i * LineRecord::kSize]));
    }
    return bytes;
}
