#pragma once

#include "database/AtomicLine.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct LineRecord;

// Collects the atomic data of a table's lines as the table maker reads them, and writes the
// table's atomic data file once the table's order is known. Texts are kept once each and every
// level of a spectrum once, so a long list costs its records and little more.
class AtomicDataWriter {
public:
    // Texts are cut to this many bytes.
    static constexpr size_t kMostTextBytes = 255;

    // The data of the next line read, of the spectrum `elementCode`, `stage`.
    void Add(const AtomicLine& line, uint8_t elementCode, uint8_t stage);
    size_t Count() const { return m_lineCount; }
    // Whether any line added had any data: a table without is made without the file.
    bool HasData() const { return m_hasData; }

    // The file for a table whose record i is the line added as number order[i] (from 0), and
    // whose first and last records are `first` and `last`.
    std::string Bytes(const std::vector<uint32_t>& order, const LineRecord& first,
                      const LineRecord& last) const;

private:
    uint32_t TextCode(const std::string& text);
    std::string Header(uint64_t count, const LineRecord& first, const LineRecord& last,
                       uint64_t textsAt, uint64_t levelsAt) const;
    std::string Texts() const;
    std::string Levels() const;

    std::string m_records;  // in the order added
    size_t m_lineCount = 0;
    bool m_hasData = false;
    std::vector<std::string> m_texts;
    std::unordered_map<std::string, uint32_t> m_codes;
    std::map<std::pair<uint8_t, uint8_t>, std::set<AtomicLevel>> m_levels;
};
