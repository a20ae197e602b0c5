#include "command/CommandFile.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<CommandFile::Line>;

// Blank and comment lines are skipped, a trailing comment is cut but a # inside a word kept.
TEST(CommandFile, KeepsTheCommandsWithTheirLineNumbers)
{
    const std::pair<const char*, Lines> cases[] = {
        {"", {}},
        {"# a run\n\n   \nGOTO 5000\n\t# indented comment\nEXPORT out.txt DATA 2\n",
         {{4, "GOTO 5000"}, {6, "EXPORT out.txt DATA 2"}}},
        {"DECIMALS 2   # fewer\n", {{1, "DECIMALS 2"}}},
        {"EXPORT run#2.txt\n", {{1, "EXPORT run#2.txt"}}},
        {"AIR\r\n\r\nVACUUM\r\n", {{1, "AIR"}, {3, "VACUUM"}}},
        {"  LINEAR  ", {{1, "LINEAR"}}},
        {"\r# note\nAIR\r#x\n", {{2, "AIR"}}}};  // a comment after a stray carriage return
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(CommandFile::Parse(text), lines) << text;
    }
}

// A folder, a missing file and an endless device are refused with the reason, never taken for
// an empty list of commands that all succeed.
TEST(CommandFile, UnreadableFilesSayWhy)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/nonexistent/commands.txt", "No such file or directory"},
        {"/tmp", "is a folder"},
        {"/dev/zero", "longer than any file of commands"},
    };
    for (const auto& [path, why] : cases) {
        std::string error;
        EXPECT_FALSE(CommandFile::Read(path, &error)) << path;
        EXPECT_EQ(error, std::string(path) + ": " + why);
    }
}

}  // namespace
