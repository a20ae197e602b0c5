#include "framework/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

bool Fail(std::string* error, const std::string& what, int errorNumber)
{
    if (error != nullptr) {
        *error = what + ": " + std::strerror(errorNumber);
    }
    return false;
}

bool WriteAll(int fd, std::string_view content)
{
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

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error)
{
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
    }
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return Fail(error, "Cannot create a temporary file beside " + path, errno);
    }
    const bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(name.data());
        return Fail(error, "Cannot write " + path, writeError);
    }
    // Keep the permissions of the file being replaced (mkstemp creates it private).
    struct stat old {};
    ::chmod(name.data(), ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    if (::rename(name.data(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(name.data());
        return Fail(error, "Cannot replace " + path, renameError);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& content)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;  // a folder opens as a stream on Linux but reads as empty
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
