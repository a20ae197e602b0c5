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

TEST(CommandFile, MissingFileSaysWhy)
{
    std::string error;
    EXPECT_FALSE(CommandFile::Read("/nonexistent/commands.txt", &error));
    EXPECT_NE(error.find("/nonexistent/commands.txt"), std::string::npos);
}

}  // namespace
