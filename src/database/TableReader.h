#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct stat;

// The bytes of one table file, read by record index with positioned reads through a small
// cache of blocks. Nothing is mapped: a file truncated or rewritten while it is open gives
// short or different data, never a fault, and only the cached blocks cost memory. A file that
// cannot be opened behaves as an empty one.
class TableReader {
public:
    static constexpr size_t kRecordSize = 9;
    static constexpr uint32_t kBlockRecords = 4096;  // 36 KiB: few calls for a long scan

    explicit TableReader(const std::string& path);
    ~TableReader();
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    uint64_t Size() const { return m_identity.size; }  // as it was when opened

    // The bytes of record `index` (valid until the next read), or null when the file no longer
    // holds the whole record. Inline: it runs once for every record read.
    const unsigned char* Record(uint32_t index) const
    {
        const unsigned char* cached = Cached(index);
        return cached != nullptr ? cached : Load(index);
    }
    // Copies record `index` into `out` without filling a block for it, for reads far apart;
    // false when the file no longer holds the whole record.
    bool Probe(uint32_t index, unsigned char* out) const;
    // Copies `count` records from `first` into `out` in one read, without filling a block;
    // false when the file no longer holds them all.
    bool ReadRecords(uint32_t first, uint32_t count, unsigned char* out) const;

    // Whether the file at the path is no longer the one opened, or was rewritten or resized
    // since: two stat calls.
    bool Changed() const;

private:
    struct Identity {
        uint64_t device = 0;
        uint64_t inode = 0;
        uint64_t size = 0;
        int64_t modifiedNs = 0;
        int64_t changedNs = 0;
        bool operator==(const Identity&) const = default;
    };
    // `at` tells which file a path names, `open` what the open file holds.
    static Identity IdentityOf(const struct stat& at, const struct stat& open);
    struct Block {
        uint32_t first = 0;
        uint32_t count = 0;   // whole records read
        uint64_t loaded = 0;  // when filled: the oldest is replaced
        std::vector<unsigned char> bytes;
    };

    // Every cached block, without bookkeeping: the fill and the graph each read up and down
    // by turns, so several blocks are in use at once. Null when no block holds the record.
    const unsigned char* Cached(uint32_t index) const
    {
        for (const Block& block : m_blocks) {
            if (index - block.first < block.count) {
                return block.bytes.data() + size_t{index - block.first} * kRecordSize;
            }
        }
        return nullptr;
    }
    const unsigned char* Load(uint32_t index) const;

    std::string m_path;
    int m_fd = -1;
    Identity m_identity;
    // Enough for the fill's two directions, the graph's two and the lines painted.
    mutable std::array<Block, 6> m_blocks;
    mutable uint64_t m_clock = 0;
};
