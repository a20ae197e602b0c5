#include "command/CommandLineParser.h"
#include "command/CommandList.h"
#include "database/TextTables.h"
#include "framework/UserMessages.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* line;
    const char* keyword;
    const char* argument;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

}  // namespace

TEST_P(SplitTest, NormalisesTypedLine)
{
    const auto typed = CommandLineParser::Split(GetParam().line);
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(typed->keyword, GetParam().keyword);
    EXPECT_EQ(typed->argument, GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitTest,
    ::testing::Values(SplitCase{"  next  ", "NEXT", ""}, SplitCase{"+cu", "+", "CU"},
                      SplitCase{"-cu fe", "-", "CU FE"}, SplitCase{"+", "+", ""},
                      SplitCase{"4000", "GOTO", "4000"},
                      SplitCase{"4000 5000", "GOTO", "4000 5000"}, SplitCase{"fe cu", "FE", "CU"},
                      SplitCase{"load my file.sef", "LOAD", "MY FILE.SEF"},
                      SplitCase{"goto  4000", "GOTO", " 4000"}));

TEST(CommandLineParserTest, BlankLinesAreIgnored)
{
    EXPECT_FALSE(CommandLineParser::Split("").has_value());
    EXPECT_FALSE(CommandLineParser::Split("    ").has_value());
}

TEST(CommandLineParserTest, OverlongLinesAreCut)
{
    const std::string line = "GOTO " + std::string(400, '1');
    EXPECT_EQ(CommandLineParser::Split(line)->argument.size(), 250u);
}

TEST(CommandLineParserTest, ElementSymbolsPassTheirOwnWord)
{
    TextTables tables;
    tables.ElementTable.emplace_back(26, 0, 0, 0, 0, "Fe", 1.0);
    tables.ElementTable.emplace_back(29, 0, 0, 0, 0, "Cu", 1.0);
    const CommandList keywords = CommandList::ForElements(tables);
    auto resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split("fe cu"));
    EXPECT_EQ(resolved->commandId, CMD_ELEMENTS);
    EXPECT_EQ(resolved->argument, "FE CU");
    resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split("FE"));
    EXPECT_EQ(resolved->argument, "FE ");
    resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split("elem cu"));
    EXPECT_EQ(resolved->commandId, CMD_ELEMENTS);
    EXPECT_EQ(resolved->argument, "CU");
    EXPECT_EQ(CommandLineParser::Resolve(keywords, *CommandLineParser::Split("q"))->commandId,
              CMD_QUIT);
    EXPECT_FALSE(CommandLineParser::Resolve(keywords, *CommandLineParser::Split("xyz")));
}
