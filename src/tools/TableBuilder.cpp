#include "tools/TableBuilder.h"

#include "tools/CodeTable.h"
#include "tools/ElementLookup.h"

#include <algorithm>
#include <numeric>
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
    KeepAtomicData(line.atomic);
}

void TableBuilder::KeepAtomicData(const AtomicLine& atomic)
{
    // A list without atomic data costs nothing: the lines before the first with data get their
    // empty entries only when it comes.
    if (atomic.IsEmpty() && m_atomicCount == 0) {
        return;
    }
    if (m_atomicCount == 0) {
        for (size_t i = 0; i + 1 < m_records.size(); ++i) {
            m_atomic.Add(AtomicLine{}, m_records[i].elementCode, m_records[i].valenceCode);
        }
    }
    m_atomic.Add(atomic, m_records.back().elementCode, m_records.back().valenceCode);
    m_atomicCount += atomic.IsEmpty() ? 0 : 1;
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

std::vector<LineRecord> TableBuilder::TakeSortedRecords(std::vector<uint32_t>& order)
{
    std::vector<LineRecord> records = std::move(m_records);
    m_records.clear();
    order.resize(records.size());
    std::iota(order.begin(), order.end(), uint32_t{0});
    // Ties go by the order added, which makes the sort stable without a stable sort's buffer.
    std::sort(order.begin(), order.end(), [&records](uint32_t a, uint32_t b) {
        return records[a].wavelength < records[b].wavelength ||
               (records[a].wavelength == records[b].wavelength && a < b);
    });
    Permute(records, order);
    return records;
}

void TableBuilder::Permute(std::vector<LineRecord>& records, const std::vector<uint32_t>& order)
{
    // Record i becomes records[order[i]]: each cycle of the permutation is walked once, moving
    // one record at a time, so that only a bit per record is needed besides.
    std::vector<bool> placed(records.size(), false);
    for (size_t start = 0; start < records.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        const LineRecord first = records[start];
        size_t at = start;
        while (order[at] != start) {
            records[at] = records[order[at]];
            placed[at] = true;
            at = order[at];
        }
        records[at] = first;
        placed[at] = true;
    }
}

std::string TableBuilder::Encode(const std::vector<LineRecord>& records)
{
    std::string bytes(records.size() * LineRecord::kSize, '\0');
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].ToBytes(reinterpret_cast<unsigned char*>(&bytes[i * LineRecord::kSize]));
    }
    return bytes;
}
