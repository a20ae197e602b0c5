#include "NamedElements.h"
#include "command/CommandLineParser.h"
#include "command/CommandList.h"
#include "command/CommandNumbers.h"
#include "database/TextTables.h"

#include <gtest/gtest.h>

// Keywords are upper-cased and a number is a GOTO; the argument starts after one blank.
TEST(CommandLineParserTest, SplitNormalisesTheTypedLine)
{
    const char* const cases[][3] = {
        {"  next  ", "NEXT", ""},       {"+cu", "+", "cu"},
        {"-cu fe", "-", "cu fe"},       {"+", "+", ""},
        {"4000", "GOTO", "4000"},       {"4000 5000", "GOTO", "4000 5000"},
        {"fe cu", "FE", "cu"},          {"load My file.sef", "LOAD", "My file.sef"},
        {"goto  4000", "GOTO", " 4000"}};
    for (const auto& [line, keyword, argument] : cases) {
        const auto typed = CommandLineParser::Split(line);
        ASSERT_TRUE(typed.has_value()) << line;
        EXPECT_EQ(typed->keyword, keyword) << line;
        EXPECT_EQ(typed->argument, argument) << line;
    }
}

TEST(CommandLineParserTest, BlankLinesAreIgnored)
{
    EXPECT_FALSE(CommandLineParser::Split("").has_value());
    EXPECT_FALSE(CommandLineParser::Split("    ").has_value());
}

// Over the limit a line is refused whole, never cut; characters count, not bytes.
TEST(CommandLineParserTest, OverlongLinesAreRefused)
{
    EXPECT_EQ(CommandLineParser::LengthWarning("  EXPORT " + std::string(246, 'a') + "  "), "");
    EXPECT_EQ(CommandLineParser::LengthWarning("EXPORT " + std::string(248, 'a')), "");
    EXPECT_EQ(CommandLineParser::LengthWarning("EXPORT " + std::string(249, 'a')),
              "A command line may hold at most 255 characters; this one has 256. Nothing was done.");
    // "é" is two bytes; its second is a continuation byte, which adds no character.
    EXPECT_EQ(CommandLineParser::LengthWarning("SAVE " + std::string(200, '\xA9') + ".sef"), "");
}

// A symbol, shortened or not, or a name in full passes the symbol.
TEST(CommandLineParserTest, ElementSymbolsPassTheirOwnWord)
{
    TextTables tables;
    tables.ElementTable.emplace_back(26, 0, 0, 0, 0, "Fe", 1.0);
    tables.ElementTable.emplace_back(29, 0, 0, 0, 0, "Cu", 1.0);
    TempFolder folder;
    const ElementFacts facts = NamedElements(folder);
    const CommandList keywords = CommandList::ForElements(tables, facts);
    auto resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split("fe cu"));
    EXPECT_EQ(resolved->commandId, CMD_ELEMENTS);
    EXPECT_EQ(resolved->argument, "FE CU");
    resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split("FE"));
    EXPECT_EQ(resolved->argument, "FE ");
    EXPECT_EQ(CommandLineParser::Resolve(keywords, *CommandLineParser::Split("f cu"))->argument,
              "FE CU");
    EXPECT_EQ(CommandLineParser::Resolve(keywords, *CommandLineParser::Split("iron"))->argument,
              "FE ");
    resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split("elem cu"));
    EXPECT_EQ(resolved->commandId, CMD_ELEMENTS);
    EXPECT_EQ(resolved->argument, "CU");
    EXPECT_EQ(CommandLineParser::Resolve(keywords, *CommandLineParser::Split("q"))->commandId,
              CMD_QUIT);
    EXPECT_FALSE(CommandLineParser::Resolve(keywords, *CommandLineParser::Split("xyz")));
}

// File names and source labels keep their case; keywords and switch words are upper-cased.
TEST(CommandLineParserTest, ArgumentsKeepTheirCaseOnlyWhereTheyNameFiles)
{
    TextTables tables;
    const CommandList keywords = CommandList::ForElements(tables);
    const char* const cases[][3] = {
        {"save ~/sel/My.sef", "SAVE", "~/sel/My.sef"},
        {"open a.Sef", "OPEN", "a.Sef"},
        {"ov scan.txt", "OVERLAY", "scan.txt"},
        {"export /home/u/Lines.txt data 2", "EXPORT", "/home/u/Lines.txt data 2"},
        {"sou Kurucz, nist", "SOURCE", "Kurucz, nist"},
        {"sum only", "SUMMATION", "ONLY"},
        {"ion i, ii", "ION", "I, II"},
        {"show graph", "SHOW", "GRAPH"}};
    for (const auto& [line, keyword, argument] : cases) {
        const auto resolved = CommandLineParser::Resolve(keywords, *CommandLineParser::Split(line));
        ASSERT_TRUE(resolved) << line;
        EXPECT_EQ(resolved->keyword, keyword) << line;
        EXPECT_EQ(resolved->argument, argument) << line;
    }
}
