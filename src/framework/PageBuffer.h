#pragma once

#include <cstddef>

// A block of zero-filled memory taken straight from the system in whole pages. Large blocks ask
// for transparent huge pages, so that filling hundreds of megabytes does not cost a page fault
// for every 4 KiB. Throws std::bad_alloc when the system refuses.
class PageBuffer {
public:
    PageBuffer() = default;
    explicit PageBuffer(size_t bytes);
    ~PageBuffer();
    PageBuffer(PageBuffer&& other) noexcept;
    PageBuffer& operator=(PageBuffer&& other) noexcept;
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    void* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    void Release();

    void* m_data = nullptr;
    size_t m_size = 0;
};
