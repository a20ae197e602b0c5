#pragma once

#include "database/AtomicDataWriter.h"
#include "database/LineRecord.h"
#include "tools/ImportCounts.h"
#include "tools/SourceLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CodeTable;
class ElementLookup;

// Turns source lines into table records: looks up the element, checks the stage, stores the
// wavelength, and takes description and reference codes from the code tables (adding texts to
// them); keeps the atomic data of each line kept. The tables are referenced, not owned, and must
// outlive the builder.
class TableBuilder {
public:
    TableBuilder(const ElementLookup& elements, CodeTable& descriptions, CodeTable& references);

    // Adds `line` to the table or counts why not; a text that finds no code is counted and the
    // line kept with code 0.
    void Add(const SourceLine& line, ImportCounts& counts);

    // How many lines were kept so far.
    size_t Count() const { return m_records.size(); }

    // How many of the lines kept came with atomic data.
    size_t AtomicCount() const { return m_atomicCount; }
    // The atomic data of the lines kept, in the order they were added; none when no line had
    // any (HasData() false).
    const AtomicDataWriter& AtomicData() const { return m_atomic; }

    // Hands over the records in table order: by wavelength, lines of equal wavelength as they
    // were added. `order` receives for each record the number (from 0) of the line kept that
    // it was added as. The builder holds no records afterwards, only the atomic data. Records
    // are moved into place, so that a long table is never held twice.
    std::vector<LineRecord> TakeSortedRecords(std::vector<uint32_t>& order);

    // The bytes of a table file holding `records`.
    static std::string Encode(const std::vector<LineRecord>& records);

private:
    std::optional<uint8_t> ElementCode(const SourceLine& line) const;
    // Adds the atomic data of the record just kept.
    void KeepAtomicData(const AtomicLine& atomic);
    static void Permute(std::vector<LineRecord>& records, const std::vector<uint32_t>& order);

    const ElementLookup& m_elements;
    CodeTable& m_descriptions;
    CodeTable& m_references;
    std::vector<LineRecord> m_records;
    AtomicDataWriter m_atomic;
    size_t m_atomicCount = 0;
};
