#include "framework/MappedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::MappedFile(const std::string& path)
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
    m_size = static_cast<uint64_t>(info.st_size);
    if (m_size == 0) {
        return;
    }
    void* mapping = ::mmap(nullptr, m_size, PROT_READ, MAP_SHARED, m_fd, 0);
    if (mapping != MAP_FAILED) {
        m_data = static_cast<const unsigned char*>(mapping);
        ::close(m_fd);  // the mapping keeps the file alive
        m_fd = -1;
    }
}

MappedFile::~MappedFile()
{
    if (m_data != nullptr) {
        ::munmap(const_cast<unsigned char*>(m_data), m_size);
    }
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

size_t MappedFile::Read(uint64_t offset, void* out, size_t length) const
{
    if (offset >= m_size) {
        return 0;
    }
    const uint64_t available = m_size - offset;
    const size_t count = available < length ? static_cast<size_t>(available) : length;
    if (m_data != nullptr) {
        std::memcpy(out, m_data + offset, count);
        return count;
    }
    size_t done = 0;
    while (done < count && m_fd >= 0) {
        const ssize_t got = ::pread(m_fd, static_cast<char*>(out) + done, count - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}
