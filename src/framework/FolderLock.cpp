#include "framework/FolderLock.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

// Closes `fd` and says what failed, with the system's reason unless `errorNumber` is 0.
std::nullopt_t Fail(int fd, std::string* error, const std::string& what, int errorNumber)
{
    if (fd >= 0) {
        ::close(fd);
    }
    if (error != nullptr) {
        *error = errorNumber == 0 ? what : what + ": " + std::strerror(errorNumber);
    }
    return std::nullopt;
}

std::string LockPath(const std::string& folder)
{
    return (std::filesystem::path(folder) / FolderLock::kFileName).string();
}

// The lock file, made when missing; -1 with errno set when it cannot be opened at all.
int Open(const std::string& folder)
{
    // O_NOFOLLOW: the holder truncates the file, which must never be one a link points to.
    const std::string path = LockPath(folder);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        // A read-only folder, or another user's lock file: a read-only descriptor locks as well.
        return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    return fd;
}

// 0 when the lock was taken, else the errno: EWOULDBLOCK while another holds it.
int TryLock(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
}

// Who holds the lock, from what the holder wrote: "spekla-import (pid 123)".
std::string Holder(int fd)
{
    char buffer[256];
    const ssize_t size = ::pread(fd, buffer, sizeof buffer, 0);
    const std::string text(buffer, static_cast<size_t>(std::max<ssize_t>(size, 0)));
    const size_t space = text.rfind(' ');
    const bool readable =
        space != std::string::npos && space > 0 && space + 1 < text.size() &&
        text.find_first_not_of("0123456789", space + 1) == std::string::npos &&
        std::none_of(text.begin(), text.end(), [](char c) { return std::iscntrl(c & 0xFF); });
    // Empty while the holder has not yet written its name, or when it could not.
    return readable ? text.substr(0, space) + " (pid " + text.substr(space + 1) + ")"
                    : std::string("another program");
}

}  // namespace

std::optional<FolderLock> FolderLock::Acquire(const std::string& folder, std::string_view program,
                                              const Waiting& waiting, std::string* error)
{
    const int fd = Open(folder);
    if (fd < 0) {
        return Fail(fd, error, "Cannot open the lock file " + LockPath(folder), errno);
    }
    int result = TryLock(fd);
    if (result == EWOULDBLOCK) {
        if (waiting) {
            waiting(Holder(fd));
        }
        do {
            result = ::flock(fd, LOCK_EX) == 0 ? 0 : errno;
        } while (result == EINTR);
    }
    if (result != 0) {
        return Fail(fd, error, "Cannot lock " + LockPath(folder), result);
    }
    return FolderLock(fd, program);
}

std::optional<FolderLock> FolderLock::AcquireWithin(const std::string& folder,
                                                    std::string_view program,
                                                    std::chrono::milliseconds limit,
                                                    std::string* error)
{
    const int fd = Open(folder);
    if (fd < 0) {
        return Fail(fd, error, "Cannot open the lock file " + LockPath(folder), errno);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int result;
    while ((result = TryLock(fd)) == EWOULDBLOCK || result == EINTR) {
        if (std::chrono::steady_clock::now() >= deadline) {
            const std::string what = folder + " is in use by " + Holder(fd) + "; gave up after " +
                                     std::to_string(limit.count()) + " ms";
            return Fail(fd, error, what, 0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (result != 0) {
        return Fail(fd, error, "Cannot lock " + LockPath(folder), result);
    }
    return FolderLock(fd, program);
}

FolderLock::FolderLock(int fd, std::string_view program) : m_fd(fd)
{
    // Fails on a read-only descriptor; waiting programs then only learn that someone holds it.
    const std::string holder = std::string(program) + ' ' + std::to_string(::getpid());
    [[maybe_unused]] const bool recorded =
        ::ftruncate(m_fd, 0) == 0 &&
        ::pwrite(m_fd, holder.data(), holder.size(), 0) == static_cast<ssize_t>(holder.size());
}

FolderLock::FolderLock(FolderLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

FolderLock::~FolderLock()
{
    if (m_fd < 0) {
        return;
    }
    // Emptied so that a later wait does not name a program long gone; closing unlocks.
    [[maybe_unused]] const bool cleared = ::ftruncate(m_fd, 0) == 0;
    ::close(m_fd);
}
