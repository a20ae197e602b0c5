#pragma once

#include <cstdint>

// The process's resident set, from /proc/self/status, in bytes: the whole of it (VmRSS) and
// its file-backed part (RssFile: the program, its libraries and any mapped table), whose pages
// the system can drop and read again. All zero where /proc is not there.
struct ResidentMemory {
    static ResidentMemory Now();

    uint64_t OwnBytes() const { return total - file; }  // anonymous and shared memory

    uint64_t total = 0;
    uint64_t file = 0;
};
