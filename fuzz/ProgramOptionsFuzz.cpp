#include "FuzzCheck.h"
#include "app/ProgramOptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The input's lines are the arguments. Whatever they are, nothing unregisters unless "-un" or
// more of "-unregister" (or "--unregister") was given, every file has a name, and parsing is
// the same twice.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> arguments;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty() && arguments.size() < 64) {
        const size_t end = input.find('\n');
        arguments.emplace_back(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    const ProgramOptions options = ProgramOptions::Parse(arguments);
    if (options.unregister) {
        bool asked = false;
        for (const std::string& argument : arguments) {
            std::string word = argument.substr(0, argument.find_first_of(":="));
            for (char& c : word) {
                c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            }
            asked = asked || word == "--unregister" ||
                    (word.size() >= 3 && std::string("-unregister").starts_with(word));
        }
        FUZZ_CHECK(asked, "only -un or more of -unregister unregisters");
    }
    for (const ProgramOptions::FileToLoad& file : options.files) {
        FUZZ_CHECK(!file.path.empty(), "every file to load has a name");
    }
    const ProgramOptions again = ProgramOptions::Parse(arguments);
    FUZZ_CHECK(again.files == options.files && again.messages == options.messages &&
                   again.unregister == options.unregister,
               "parsing is deterministic");
    return 0;
}
