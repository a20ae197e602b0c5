#include "database/TableReader.h"

#include "framework/AtomicFile.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int64_t Nanoseconds(const timespec& time)
{
    return int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

TableReader::TableReader(const std::string& path) : m_path(path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_identity = IdentityOf(info, info);
}

TableReader::Identity TableReader::IdentityOf(const struct stat& at, const struct stat& open)
{
    return {static_cast<uint64_t>(at.st_dev), static_cast<uint64_t>(at.st_ino),
            static_cast<uint64_t>(open.st_size), Nanoseconds(open.st_mtim),
            Nanoseconds(open.st_ctim)};
}

TableReader::~TableReader()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

const unsigned char* TableReader::Load(uint32_t index) const
{
    if (m_fd < 0) {
        return nullptr;
    }
    // The block filled longest ago goes: a block still in use is filled again at the cost of
    // one read, while counting every use would cost each record read.
    size_t victim = 0;
    for (size_t i = 1; i < m_blocks.size(); ++i) {
        if (m_blocks[i].loaded < m_blocks[victim].loaded) {
            victim = i;
        }
    }
    Block& block = m_blocks[victim];
    block.bytes.resize(size_t{kBlockRecords} * kRecordSize);
    block.first = index - index % kBlockRecords;
    block.loaded = ++m_clock;
    size_t done = 0;
    ReadAtOffset(m_fd, uint64_t{block.first} * kRecordSize, block.bytes.data(), block.bytes.size(),
                 done);
    block.count = static_cast<uint32_t>(done / kRecordSize);  // an error leaves the block short
    if (index - block.first >= block.count) {
        return nullptr;
    }
    return block.bytes.data() + size_t{index - block.first} * kRecordSize;
}

bool TableReader::Probe(uint32_t index, unsigned char* out) const
{
    if (const unsigned char* cached = Cached(index)) {
        std::memcpy(out, cached, kRecordSize);
        return true;
    }
    return ReadRecords(index, 1, out);
}

bool TableReader::ReadRecords(uint32_t first, uint32_t count, unsigned char* out) const
{
    const size_t length = size_t{count} * kRecordSize;
    size_t done = 0;
    return m_fd >= 0 && ReadAtOffset(m_fd, uint64_t{first} * kRecordSize, out, length, done) &&
           done == length;
}

bool TableReader::Changed() const
{
    struct stat atPath {};
    if (::stat(m_path.c_str(), &atPath) != 0) {
        return m_fd >= 0;  // gone; a file that never opened has not changed
    }
    if (m_fd < 0) {
        return true;  // there now, and it was not
    }
    struct stat open {};
    if (::fstat(m_fd, &open) != 0) {
        return true;
    }
    return !(IdentityOf(atPath, open) == m_identity);
}
