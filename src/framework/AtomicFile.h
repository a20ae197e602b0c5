#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` with `content` so that a crash or a full disk never leaves a
// truncated file: the text goes to a temporary file beside it, is flushed to disk and then
// renamed over the old one. Creates missing parent directories. On failure the old file is
// untouched, the temporary file is removed, and `error` (when given) says what went wrong.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error);

// Reads a whole text file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& content);
