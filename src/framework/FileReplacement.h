#pragma once

#include <string>
#include <string_view>
#include <vector>

// Replaces one or more files so that a crash, a full disk or a failure part-way never leaves a
// truncated file, and a group either all changes or none does (short of a failure between two
// renames, which only a vanished folder can cause). Each new content is first written to a
// temporary file beside its target and flushed to disk; Commit then renames them over the
// targets in the order staged. Temporary files not committed are removed on destruction.
class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Writes `content` for `path` (creating missing parent folders). A symbolic link at `path`
    // is followed, so the file it points to is replaced and the link kept. False with a message
    // in `error` when the temporary file cannot be written.
    bool Stage(const std::string& path, std::string_view content, std::string* error);
    // Renames every staged file over its target; false with a message on the first failure.
    bool Commit(std::string* error);

    // The file name a temporary file of this class stands in for, or empty when `fileName`
    // (a name without its folder) is not one. A process killed before Commit leaves them.
    static std::string TargetOfTemporary(std::string_view fileName);

private:
    struct Staged {
        std::string target;
        std::string temporary;
    };

    std::vector<Staged> m_staged;
};
