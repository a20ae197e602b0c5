#include "command/CommandFile.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<CommandFile::Line>;

struct CommandFileCase {
    const char* name;
    const char* text;
    Lines lines;
};

class CommandFileParsing : public testing::TestWithParam<CommandFileCase> {};

TEST_P(CommandFileParsing, KeepsTheCommandsWithTheirLineNumbers)
{
    EXPECT_EQ(CommandFile::Parse(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommandFileParsing,
    testing::Values(
        CommandFileCase{"Empty", "", {}},
        CommandFileCase{"BlankAndCommentLinesSkipped",
                        "# a run\n\n   \nGOTO 5000\n\t# indented comment\nEXPORT out.txt DATA 2\n",
                        {{4, "GOTO 5000"}, {6, "EXPORT out.txt DATA 2"}}},
        CommandFileCase{"TrailingComment", "DECIMALS 2   # fewer\n", {{1, "DECIMALS 2"}}},
        CommandFileCase{"HashInsideAWordKept", "EXPORT run#2.txt\n", {{1, "EXPORT run#2.txt"}}},
        CommandFileCase{"WindowsLineEnds", "AIR\r\n\r\nVACUUM\r\n", {{1, "AIR"}, {3, "VACUUM"}}},
        CommandFileCase{"NoFinalLineEnd", "  LINEAR  ", {{1, "LINEAR"}}},
        CommandFileCase{"CommentAfterAStrayCarriageReturn", "\r# note\nAIR\r#x\n", {{2, "AIR"}}}),
    [](const auto& info) { return std::string(info.param.name); });

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
