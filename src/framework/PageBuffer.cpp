#include "framework/PageBuffer.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

PageBuffer::PageBuffer(size_t bytes) : m_size(bytes)
{
    if (bytes == 0) {
        return;
    }
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    m_data = memory;
    if (bytes >= kHugePage) {
        ::madvise(m_data, bytes, MADV_HUGEPAGE);  // a hint: refusal changes nothing
    }
}

PageBuffer::~PageBuffer()
{
    Release();
}

PageBuffer::PageBuffer(PageBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0))
{
}

PageBuffer& PageBuffer::operator=(PageBuffer&& other) noexcept
{
    if (this != &other) {
        Release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

void PageBuffer::Release()
{
    if (m_data != nullptr) {
        ::munmap(m_data, m_size);
        m_data = nullptr;
    }
}
