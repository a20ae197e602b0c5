#include "ResidentMemory.h"

#include <fstream>
#include <sstream>
#include <string>

ResidentMemory ResidentMemory::Now()
{
    ResidentMemory memory;
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string key;
        uint64_t kilobytes = 0;
        if (!(fields >> key >> kilobytes)) {
            continue;  // a line whose value is not a number
        }
        if (key == "VmRSS:") {
            memory.total = kilobytes * 1024;
        } else if (key == "RssFile:") {
            memory.file = kilobytes * 1024;
        }
    }
    return memory;
}
