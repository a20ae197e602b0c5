#include "framework/FileReplacement.h"

#include "framework/FileFaults.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// mkstemp replaces the six X with letters and digits.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kTemporaryPattern = "XXXXXX";

bool Fail(std::string* error, const std::string& what, int errorNumber)
{
    if (error != nullptr) {
        *error = what + ": " + std::strerror(errorNumber);
    }
    return false;
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
    for (const Staged& staged : m_staged) {
        ::unlink(staged.temporary.c_str());
    }
}

bool FileReplacement::Stage(const std::string& path, std::string_view content, std::string* error)
{
    std::error_code ec;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(target, ec)) {
        target = std::filesystem::weakly_canonical(target, ec);
    }
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
    }
    std::string name = target.string();
    name.append(kTemporaryMark).append(kTemporaryPattern);
    const int fd = Allowed(FileFaults::Step::Create, target.string()) ? ::mkstemp(name.data()) : -1;
    if (fd < 0) {
        return Fail(error, "Cannot create a temporary file beside " + path, errno);
    }
    const std::string& file = target.string();
    const bool written = WriteAll(fd, content, file) && Allowed(FileFaults::Step::Chmod, file) &&
                         ::fchmod(fd, ModeFor(file)) == 0 &&
                         Allowed(FileFaults::Step::Sync, file) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!written) {
        ::unlink(name.c_str());
        return Fail(error, "Cannot write " + path, writeError);
    }
    m_staged.push_back({target.string(), name});
    return true;
}

bool FileReplacement::Commit(std::string* error)
{
    while (!m_staged.empty()) {
        const Staged staged = m_staged.front();
        if (!Allowed(FileFaults::Step::Rename, staged.target) ||
            ::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
            return Fail(error, "Cannot replace " + staged.target, errno);
        }
        m_staged.erase(m_staged.begin());
        SyncFolder(std::filesystem::path(staged.target).parent_path());
    }
    return true;
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
