#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// An advisory lock on an installation folder, held for the object's lifetime, so that programs
// that read DESCRIPT or REFERENC, add to them and write them back do so one at a time. It is a
// flock on the file .spekla-lock in the folder; the holder writes "<program> <pid>" into it so
// that a program that has to wait can say for whom. The file is never deleted: a process could
// still be waiting on the deleted file while a third locks a new one.
class FolderLock {
public:
    static constexpr const char* kFileName = ".spekla-lock";

    // Called once, before blocking, with the holder as "spekla-import (pid 123)".
    using Waiting = std::function<void(const std::string& holder)>;

    // Takes the lock on `folder`, waiting as long as another holds it. Empty with a message in
    // `error` when the lock file can neither be made nor opened (a read-only folder without one).
    static std::optional<FolderLock> Acquire(const std::string& folder, std::string_view program,
                                             const Waiting& waiting, std::string* error);
    // As Acquire, but gives up after `limit` with a message naming the holder.
    static std::optional<FolderLock> AcquireWithin(const std::string& folder,
                                                   std::string_view program,
                                                   std::chrono::milliseconds limit,
                                                   std::string* error);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&&) = delete;
    ~FolderLock();

private:
    // Takes over `fd`, whose lock is held, and records `program` as the holder.
    FolderLock(int fd, std::string_view program);

    int m_fd = -1;
};
