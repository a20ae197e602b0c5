#include "FuzzCheck.h"
#include "command/CommandFile.h"

#include <cstdint>
#include <string_view>

// Every command kept is a line of the file, trimmed, without a comment, in order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int previous = 0;
    for (const CommandFile::Line& line : CommandFile::Parse(text)) {
        FUZZ_CHECK(line.number > previous, "lines keep their order and numbers");
        previous = line.number;
        FUZZ_CHECK(!line.text.empty(), "no empty command is kept");
        FUZZ_CHECK(line.text.find('\n') == std::string::npos, "a command is one line");
        FUZZ_CHECK(line.text.front() != ' ' && line.text.back() != ' ' &&
                       line.text.back() != '\r' && line.text.front() != '#',
                   "a command is trimmed and no comment");
        FUZZ_CHECK(text.find(line.text) != std::string_view::npos, "a command is text of the file");
    }
    return 0;
}
