#include "framework/AtomicFile.h"

#include "framework/FileReplacement.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error)
{
    FileReplacement replacement;
    return replacement.Stage(path, content, error) && replacement.Commit(error);
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

bool ReadAtOffset(int fd, uint64_t offset, unsigned char* out, std::size_t length,
                  std::size_t& done)
{
    done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;  // the end of the file
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}
