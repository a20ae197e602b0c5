#pragma once

#include <string>
#include <string_view>
#include <vector>

// Replaces one or more files so that a crash, a full disk or a failure part-way never leaves a
// truncated file, and a group either all changes or none does (short of a failure between two
// renames, which only a vanished folder can cause). Each new content is first written to a
// temporary file beside its target and flushed to disk; Commit then renames them over the
// targets in the order staged. Temporary files not committed are removed on destruction, and
// a successful replacement removes those an earlier, killed save of the same file left.
// Only regular files are ever replaced: a FIFO or a character device (a pipe to another
// program, /dev/stdout) is written through at Commit, anything else is refused.
class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Writes `content` for `path` (creating missing parent folders). A symbolic link at `path`
    // is followed, so the file it points to is replaced and the link kept. False with a message
    // in `error` when the temporary file cannot be written or `path` is neither a file, a FIFO
    // nor a character device.
    bool Stage(const std::string& path, std::string_view content, std::string* error);
    // Renames every staged file over its target (writes a FIFO or device); false with a message
    // on the first failure. A FIFO that no program reads is a failure, not a wait.
    bool Commit(std::string* error);

    // Makes a file-size limit reached or a reader gone away a write error the save reports,
    // rather than a signal that ends the process in the middle of a save. Called by each main.
    static void IgnoreWriteSignals();

    // The file name a temporary file of this class stands in for, or empty when `fileName`
    // (a name without its folder) is not one. A process killed before Commit leaves them.
    static std::string TargetOfTemporary(std::string_view fileName);

private:
    struct Staged {
        std::string target;
        std::string temporary;  // empty for a FIFO or device, written at Commit
        int fd = -1;          // the temporary file, locked so no other save takes it for a leftover
        std::string content;  // only for a FIFO or device
    };

    bool StageFile(const std::string& path, const std::string& target, std::string_view content,
                   std::string* error);
    static bool WriteThrough(const Staged& staged, std::string* error);
    static void RemoveLeftovers(const std::string& target);
    static void Release(Staged& staged);

    std::vector<Staged> m_staged;
};
