#include "framework/FileReplacement.h"

#include "framework/FileFaults.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// mkstemp replaces the six X with letters and digits.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kTemporaryPattern = "XXXXXX";

bool Refuse(std::string* error, const std::string& why)
{
    if (error != nullptr) {
        *error = why;
    }
    return false;
}

bool Fail(std::string* error, const std::string& what, int errorNumber)
{
    return Refuse(error, what + ": " + std::strerror(errorNumber));
}

// False with errno set when a test injects a fault into this step.
bool Allowed(FileFaults::Step step, const std::string& target)
{
    const int injected = FileFaults::Injected(step, target);
    errno = injected;
    return injected == 0;
}

bool WriteAll(int fd, std::string_view content, const std::string& target)
{
    if (!Allowed(FileFaults::Step::Write, target)) {
        return false;
    }
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// New files get the permissions the user's umask allows; replaced ones keep theirs.
mode_t ModeFor(const std::string& target)
{
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What a target that cannot be replaced is, for the message; empty for one that can.
std::string Unreplaceable(const struct stat& info)
{
    if (S_ISDIR(info.st_mode)) {
        return "it is a folder";
    }
    if (S_ISSOCK(info.st_mode)) {
        return "it is a socket";
    }
    if (S_ISBLK(info.st_mode)) {
        return "it is a block device";
    }
    return S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)
               ? std::string()
               : "it is not a regular file";
}

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);  // makes the rename itself survive a crash; failure changes nothing
        ::close(fd);
    }
}

}  // namespace

FileReplacement::~FileReplacement()
{
    for (Staged& staged : m_staged) {
        if (!staged.temporary.empty()) {
            ::unlink(staged.temporary.c_str());
        }
        Release(staged);
    }
}

void FileReplacement::Release(Staged& staged)
{
    if (staged.fd >= 0) {
        ::close(staged.fd);
        staged.fd = -1;
    }
}

bool FileReplacement::Stage(const std::string& path, std::string_view content, std::string* error)
{
    // Looked at through any link: /dev/stdout is a link to a pipe that has no path of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        const std::string why = Unreplaceable(info);
        if (!why.empty()) {
            return Refuse(error, "Cannot write " + path + ": " + why);
        }
        if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) {
            m_staged.push_back({path, {}, -1, std::string(content)});
            return true;
        }
    }
    std::error_code ec;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(target, ec)) {
        target = std::filesystem::weakly_canonical(target, ec);
    }
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
    }
    return StageFile(path, target.string(), content, error);
}

bool FileReplacement::StageFile(const std::string& path, const std::string& file,
                                std::string_view content, std::string* error)
{
    std::string name = file;
    name.append(kTemporaryMark).append(kTemporaryPattern);
    const int fd =
        Allowed(FileFaults::Step::Create, file) ? ::mkostemp(name.data(), O_CLOEXEC) : -1;
    if (fd < 0) {
        return Fail(error, "Cannot create a temporary file beside " + path, errno);
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    const bool written = WriteAll(fd, content, file) && Allowed(FileFaults::Step::Chmod, file) &&
                         ::fchmod(fd, ModeFor(file)) == 0 &&
                         Allowed(FileFaults::Step::Sync, file) && ::fsync(fd) == 0;
    if (!written) {
        const int writeError = errno;
        ::unlink(name.c_str());
        ::close(fd);
        return Fail(error, "Cannot write " + path, writeError);
    }
    m_staged.push_back({file, name, fd, {}});
    return true;
}

bool FileReplacement::Commit(std::string* error)
{
    while (!m_staged.empty()) {
        Staged& staged = m_staged.front();
        if (staged.temporary.empty()) {
            if (!WriteThrough(staged, error)) {
                return false;
            }
        } else if (!Allowed(FileFaults::Step::Rename, staged.target) ||
                   ::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
            return Fail(error, "Cannot replace " + staged.target, errno);
        } else {
            Release(staged);
            SyncFolder(std::filesystem::path(staged.target).parent_path());
            RemoveLeftovers(staged.target);
        }
        m_staged.erase(m_staged.begin());
    }
    return true;
}

// Opened without waiting: a FIFO that no program reads would otherwise block the save for ever.
bool FileReplacement::WriteThrough(const Staged& staged, std::string* error)
{
    const int fd = ::open(staged.target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENXIO
                   ? Refuse(error, "Cannot write " + staged.target + ": no program reads from it")
                   : Fail(error, "Cannot write " + staged.target, errno);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = WriteAll(fd, staged.content, staged.target);
    const int writeError = errno;
    ::close(fd);
    return written || Fail(error, "Cannot write " + staged.target, writeError);
}

// Temporary files of this target that a killed save left. One still locked belongs to a save
// running now in another process and is left to it.
void FileReplacement::RemoveLeftovers(const std::string& target)
{
    const std::filesystem::path path(target);
    const std::string name = path.filename().string();
    std::error_code ec;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (TargetOfTemporary(entry.path().filename().string()) != name ||
            !entry.is_regular_file(ec) || entry.is_symlink(ec)) {
            continue;
        }
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(entry.path().c_str());
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void FileReplacement::IgnoreWriteSignals()
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

std::string FileReplacement::TargetOfTemporary(std::string_view fileName)
{
    const size_t mark = fileName.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark == 0 ||
        fileName.size() != mark + kTemporaryMark.size() + kTemporaryPattern.size()) {
        return {};
    }
    const std::string_view unique = fileName.substr(mark + kTemporaryMark.size());
    const bool made = std::all_of(unique.begin(), unique.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
    return made ? std::string(fileName.substr(0, mark)) : std::string();
}
