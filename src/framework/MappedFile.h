#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file opened for reading at fixed offsets: a read-only mapping when the system grants one,
// otherwise positioned reads on the open descriptor. Nothing is loaded in advance, so the
// memory a file costs does not depend on its size. A file that cannot be opened behaves as an
// empty one.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool IsOpen() const { return m_fd >= 0 || m_data != nullptr; }
    uint64_t Size() const { return m_size; }
    // The whole file in memory when it is mapped, else null (then use Read).
    const unsigned char* Data() const { return m_data; }

    // Copies up to `length` bytes from `offset` into `out`; returns the number copied, which is
    // short at the end of the file.
    size_t Read(uint64_t offset, void* out, size_t length) const;

private:
    int m_fd = -1;
    uint64_t m_size = 0;
    const unsigned char* m_data = nullptr;
};
