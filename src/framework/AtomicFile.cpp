#include "framework/AtomicFile.h"

#include "framework/FileReplacement.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

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
