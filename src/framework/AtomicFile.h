#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Replaces the file at `path` with `content` so that a crash or a full disk never leaves a
// truncated file (see FileReplacement, which also replaces several files together). Creates
// missing parent directories. On failure the old file is untouched and `error` (when given)
// says what went wrong.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error);

// Reads a whole text file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& content);

// Reads up to `length` bytes at `offset` of the open file `fd` with positioned reads, again after
// an interruption; `done` tells how many came (fewer at the end of the file). False on an error.
bool ReadAtOffset(int fd, uint64_t offset, unsigned char* out, std::size_t length,
                  std::size_t& done);
