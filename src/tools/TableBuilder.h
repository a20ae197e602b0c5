#pragma once

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
// them). The tables are referenced, not owned, and must outlive the builder.
class TableBuilder {
public:
    TableBuilder(const ElementLookup& elements, CodeTable& descriptions, CodeTable& references);

    // Adds `line` to the table or counts why not; a text that finds no code is counted and the
    // line kept with code 0.
    void Add(const SourceLine& line, ImportCounts& counts);

    // How many lines were kept so far.
    size_t Count() const { return m_records.size(); }

    // Hands over the records in table order: by wavelength, lines of equal wavelength as they
    // were added. The builder is empty afterwards. Sorted in place, so that a long table is
    // never held twice.
    std::vector<LineRecord> TakeSortedRecords();

    // The bytes of a table file holding `records`.
    static std::string Encode(const std::vector<LineRecord>& records);

private:
    std::optional<uint8_t> ElementCode(const SourceLine& line) const;

    const ElementLookup& m_elements;
    CodeTable& m_descriptions;
    CodeTable& m_references;
    std::vector<LineRecord> m_records;
};
