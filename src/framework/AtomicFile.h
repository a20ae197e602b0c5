#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` with `content` so that a crash or a full disk never leaves a
// truncated file (see FileReplacement, which also replaces several files together). Creates
// missing parent directories. On failure the old file is untouched and `error` (when given)
// says what went wrong.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error);

// Reads a whole text file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& content);
