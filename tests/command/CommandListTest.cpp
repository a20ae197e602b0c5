#include "command/CommandList.h"
#include "command/CommandNumbers.h"
#include "database/TextTables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// Every element, at atomic numbers 1 to 103, but those in `without`.
TextTables FullTable(const std::vector<std::string>& without = {})
{
    std::istringstream symbols(
        "H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge "
        "As Se Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm "
        "Eu Gd Tb Dy Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U "
        "Np Pu Am Cm Bk Cf Es Fm Md No Lr");
    TextTables tables;
    std::string symbol;
    for (int number = 1; symbols >> symbol; ++number) {
        if (std::find(without.begin(), without.end(), symbol) == without.end()) {
            tables.ElementTable.emplace_back(number, 0, 0, 0, 0, symbol, 1.0);
        }
    }
    return tables;
}

}  // namespace

// Element symbols and command words share the list: the first entry in alphabetical order wins.
TEST(CommandListTest, AbbreviationResolvesToTheFirstMatchingEntry)
{
    const CommandList keywords = CommandList::ForElements(FullTable());
    const std::tuple<const char*, const char*, bool> cases[] = {
        // typed, found, is an element
        {"S", "S", true},           {"SC", "SC", true},      {"SCA", "SCAN", false},
        {"AL", "AL", true},         {"ALL", "ALL", false},   {"HE", "HE", true},
        {"HEI", "HEIGHT", false},   {"HEL", "HELP", false},  {"CL", "CL", true},
        {"CLE", "CLEAR", false},    {"CLO", "CLOSE", false}, {"PR", "PR", true},
        {"PRE", "PREVIOUS", false}, {"PRI", "PRINT", false}, {"RE", "RE", true},
        {"REM", "REMOVE", false},   {"RES", "RESET", false}, {"A", "ABOUT", false},
        {"E", "ELEMENTS", false},   {"EX", "EXIT", false},   {"EXP", "EXPONENTIAL", false},
        {"TO", "TOUS", false},      {"Q", "QUIT", false},    {"BY", "BYE", false},
        {"G", "GA", true},          {"L", "LA", true},       {"M", "MD", true},
        {"ON", "ONLY", false},      {"OFF", "OFF", false},   {"+", "+", false},
        {"?", "?", false}};
    for (const auto& [typed, keyword, isElement] : cases) {
        const auto found = keywords.Find(typed);
        ASSERT_TRUE(found.has_value()) << typed;
        EXPECT_EQ(found->keyword, keyword) << typed;
        EXPECT_EQ(found->isElement, isElement) << typed;
        EXPECT_EQ(found->commandId == CMD_ELEMENTS, isElement || found->keyword == "ELEMENTS")
            << typed;
    }
}

TEST(CommandListTest, QuitWordsAndSynonymsShareNumbers)
{
    const CommandList keywords = CommandList::ForElements(FullTable());
    for (const char* word : {"BYE", "CIAO", "CLOSE", "EXIT", "FINIS", "FERME", "OFF", "QUIT"}) {
        EXPECT_EQ(keywords.Find(word)->commandId, CMD_QUIT) << word;
    }
    EXPECT_EQ(keywords.Find("TOUT")->commandId, keywords.Find("ALL")->commandId);
    EXPECT_EQ(keywords.Find("+")->commandId, keywords.Find("ADD")->commandId);
    EXPECT_EQ(keywords.Find("-")->commandId, keywords.Find("REMOVE")->commandId);
    EXPECT_EQ(keywords.Find("SUMMATION")->commandId, CMD_SUMMATION);
    EXPECT_EQ(keywords.Find("SCAN")->commandId, CMD_SCAN);
    EXPECT_EQ(keywords.Find("LINEAR")->commandId, keywords.Find("EXPONENTIAL")->commandId);
}

TEST(CommandListTest, UnknownWordDoesNotMatch)
{
    const CommandList keywords = CommandList::ForElements(FullTable());
    EXPECT_FALSE(keywords.Find("XYZ").has_value());
    EXPECT_FALSE(keywords.Find("fe").has_value());  // lookups expect upper case
}

TEST(CommandListTest, ElementsMissingFromTheTableChangeAbbreviations)
{
    const CommandList keywords = CommandList::ForElements(FullTable({"Ga"}));
    EXPECT_EQ(keywords.Find("G")->keyword, "GD");
    const CommandList noElements = CommandList::ForElements(TextTables());
    EXPECT_EQ(noElements.Find("G")->keyword, "GOTO");
    EXPECT_EQ(noElements.Find("M")->keyword, "MINIMUM");
}

TEST(CommandListTest, EqualKeywordsKeepInsertionOrder)
{
    CommandList list;
    list.Add(Command("  SCAN ", 1, true));
    list.Add(Command("SCAN", 2, false));
    list.Add(Command("SC", 3, false));
    ASSERT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(list.Entries()[0].keyword, "SC");
    EXPECT_EQ(list.Find("SCAN")->commandId, 1);  // the first of the equal entries
    EXPECT_EQ(list.Find("S")->commandId, 3);
}

// A renamed element is typed by its new symbol at once; the old one no longer names it.
TEST(CommandListTest, RenamedElementsAreFoundByTheirNewSymbol)
{
    TextTables tables;
    tables.ElementTable.emplace_back(26, 0, 0, 0, 0, "Fe", 1.0);
    CommandList keywords = CommandList::ForElements(tables);
    keywords.RenameElement("Fe", "Xx");
    ASSERT_TRUE(keywords.Find("XX").has_value());
    EXPECT_TRUE(keywords.Find("XX")->isElement);
    EXPECT_FALSE(keywords.Find("FE").has_value() && keywords.Find("FE")->isElement);
    keywords.RenameElement("Xx", "Air");  // an element wins over an equal command word
    EXPECT_TRUE(keywords.Find("AIR")->isElement);
}
