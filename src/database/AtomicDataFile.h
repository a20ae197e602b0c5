#pragma once

#include "database/AtomicLine.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A table's atomic data file, opened beside the table: records are read one at a time by the
// table's record number through a small cache, never the whole file; the texts and the levels
// of each spectrum, which are short, are read at opening.
class AtomicDataFile {
public:
    // `NAME.swa` for a table `NAME.swt` (the extension in any case), else the path + ".swa".
    static std::string SidePath(const std::string& tablePath);

    // Opens the file at `path` for a table of `tableRecords` records whose first and last
    // records have the 9 bytes at `first` and `last`. Null when there is no file (`problem`
    // empty), or when it is damaged or belongs to another table (`problem` says how).
    static std::unique_ptr<AtomicDataFile> Open(const std::string& path, uint32_t tableRecords,
                                                const unsigned char* first,
                                                const unsigned char* last, std::string& problem);
    ~AtomicDataFile();
    AtomicDataFile(const AtomicDataFile&) = delete;
    AtomicDataFile& operator=(const AtomicDataFile&) = delete;

    uint32_t Count() const { return m_count; }
    // The data of the table's record `index`; empty past the end or when it cannot be read.
    std::optional<AtomicLine> Line(uint32_t index) const;
    // Only what an emission at a temperature needs: no texts, so a drawing pass can ask for
    // every line.
    std::optional<AtomicEmission> Emission(uint32_t index) const;
    // The levels known to the lines of a spectrum, by the table's element and valence codes.
    const std::vector<AtomicLevel>& Levels(uint8_t elementCode, uint8_t stage) const;

private:
    explicit AtomicDataFile(int fd) : m_fd(fd) {}
    std::string ReadSections(uint64_t size);
    bool ReadTexts(const std::string& bytes);
    bool ReadLevels(const std::string& bytes);
    const unsigned char* Record(uint32_t index) const;
    std::string Text(uint32_t code) const;

    struct Block {
        uint32_t first = 0xFFFFFFFF;
        uint32_t count = 0;
        std::vector<unsigned char> bytes;
    };

    int m_fd = -1;
    uint32_t m_count = 0;
    uint64_t m_textsAt = 0;
    uint64_t m_levelsAt = 0;
    std::vector<std::string> m_texts;
    std::map<std::pair<uint8_t, uint8_t>, std::vector<AtomicLevel>> m_levels;
    // The graph walks down and up from its centre: one block each way.
    mutable std::array<Block, 2> m_blocks;
    mutable size_t m_older = 0;
};
