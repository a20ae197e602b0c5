#include "database/TableReader.h"

#include <cerrno>
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
    m_identity = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                  static_cast<uint64_t>(info.st_size), Nanoseconds(info.st_mtim),
                  Nanoseconds(info.st_ctim)};
}

TableReader::~TableReader()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

const unsigned char* TableReader::Load(uint32_t index) const
{
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        Block& block = m_blocks[i];
        if (index - block.first < block.count) {
            m_lastBlock = i;
            block.used = ++m_clock;
            return block.bytes.data() + size_t{index - block.first} * kRecordSize;
        }
    }
    if (m_fd < 0) {
        return nullptr;
    }
    size_t victim = 0;
    for (size_t i = 1; i < m_blocks.size(); ++i) {
        if (m_blocks[i].used < m_blocks[victim].used) {
            victim = i;
        }
    }
    Block& block = m_blocks[victim];
    block.bytes.resize(size_t{kBlockRecords} * kRecordSize);
    block.first = index - index % kBlockRecords;
    block.count = 0;
    block.used = ++m_clock;
    const uint64_t start = uint64_t{block.first} * kRecordSize;
    size_t done = 0;
    while (done < block.bytes.size()) {
        const ssize_t got = ::pread(m_fd, block.bytes.data() + done, block.bytes.size() - done,
                                    static_cast<off_t>(start + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;  // the end of the file, or an error: both leave the block short
        }
        done += static_cast<size_t>(got);
    }
    block.count = static_cast<uint32_t>(done / kRecordSize);
    m_lastBlock = victim;
    if (index - block.first >= block.count) {
        return nullptr;
    }
    return block.bytes.data() + size_t{index - block.first} * kRecordSize;
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
    const Identity now{static_cast<uint64_t>(atPath.st_dev), static_cast<uint64_t>(atPath.st_ino),
                       static_cast<uint64_t>(open.st_size), Nanoseconds(open.st_mtim),
                       Nanoseconds(open.st_ctim)};
    return !(now == m_identity);
}
