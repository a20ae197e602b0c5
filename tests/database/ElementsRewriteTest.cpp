#include "database/TextTables.h"
#include "support/FileFaultScope.h"
#include "support/KillDuringSave.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace {

// What the rest of the program sees of the element table: code, numbers and name.
using Row = std::tuple<int32_t, int32_t, int32_t, std::string>;

std::vector<Row> Rows(const TextTables& tables)
{
    std::vector<Row> rows;
    for (const Element& e : tables.ElementTable) {
        rows.emplace_back(e.atomicNumber, e.row, e.column, e.name);
    }
    return rows;
}

std::vector<Row> Load(const TempFolder& folder)
{
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    return Rows(tables);
}

// Loads `text` as ELEMENTS, rewrites it, and checks that the rewrite reads back to the same
// table and that a second rewrite changes nothing more; gives what was written.
std::string ExpectRewriteReadsBack(const std::string& text)
{
    TempFolder folder;
    folder.WriteText("ELEMENTS", text);
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    const std::string written = tables.ElementsText();
    folder.WriteText("ELEMENTS", written);
    EXPECT_EQ(Load(folder), Rows(tables)) << "written:\n" << written;
    TextTables again;
    again.LoadElements(folder.File("ELEMENTS"));
    EXPECT_EQ(again.ElementsText(), written);
    return written;
}

struct RewriteCase {
    const char* name;
    std::string text;
    std::vector<Row> rows;  // what is read, before and after the rewrite
    std::string kept = "";  // a line the rewrite must keep as it stood
};

const Row H{1, 0, 0, "H"}, Li{3, 1, 0, "Li"};

class RewriteTest : public ::testing::TestWithParam<RewriteCase> {};

}  // namespace

TEST_P(RewriteTest, RewriteReadsBackToTheSameTable)
{
    const RewriteCase& c = GetParam();
    TempFolder folder;
    folder.WriteText("ELEMENTS", c.text);
    EXPECT_EQ(Load(folder), c.rows);
    const std::string written = ExpectRewriteReadsBack(c.text);
    folder.WriteText("ELEMENTS", written);
    EXPECT_EQ(Load(folder), c.rows);
    if (!c.kept.empty()) {
        EXPECT_NE(written.find("\n" + c.kept + "\n"), std::string::npos) << written;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RewriteTest,
    ::testing::Values(
        RewriteCase{"nameOnlyCarriageReturn",
                    "1 0 0 H\n2 0 17 \r \r\n3 1 0 Li\n",
                    {H, {2, 0, 17, "\r"}, Li}},
        RewriteCase{"numbersWithoutName", "1 0 0 H\n2 0 17   \n3 1 0 Li\n", {H, Li}, "2 0 17   "},
        RewriteCase{"blankLinesBetween", "1 0 0 H\n \t\n\r\n\n3 1 0 Li\n", {H, Li}},
        RewriteCase{"unreadableTail", "1 0 0 H\nnot a number\n3 1 0 Li\n", {H}, "not a number"},
        RewriteCase{"windowsLineEnds", "1 0 0 H\r\n2 0 17\r\n3 1 0 Li\r\n", {H, Li}, "2 0 17\r"},
        RewriteCase{"noFinalLineEnd", "1 0 0 H\n3 1 0 Li", {H, Li}},
        RewriteCase{"tabsAndSigns",
                    "\t+1\t0 0\tH\t\n-2 -0 +3 He x\n",
                    {{1, 0, 0, "\tH\t"}, {-2, 0, 3, "He x"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ElementsRewriteTest, NamesTheReaderWouldDropAreNeverWritten)
{
    TextTables tables;
    tables.ElementTable.emplace_back(1, 0, 0, 0, 0, "H", 1.0);
    tables.ElementTable.emplace_back(2, 0, 0, 0, 17, " ", 1.0);
    tables.ElementTable.emplace_back(3, 0, 0, 1, 0, "\n", 1.0);
    tables.ElementTable.emplace_back(4, 0, 0, 1, 1, "Be", 1.0);
    TempFolder folder;
    folder.WriteText("ELEMENTS", tables.ElementsText());
    const std::vector<Row> read = Load(folder);
    ASSERT_EQ(read.size(), 4u);  // every element keeps its code
    EXPECT_EQ(read[3], (Row{4, 1, 1, "Be"}));
}

// Generated files of element lines, blank lines, lines without a name, stray carriage returns
// and tabs, and now and then a line that stops the reading.
TEST(ElementsRewriteTest, RewriteReadsBackForGeneratedFiles)
{
    std::mt19937 random(2024);
    const std::vector<std::string> blanks = {"", " ", "  ", "\t", "\r", " \r", "\r \r", "\t \r"};
    const std::vector<std::string> names = {"Fe", "\r", "x y", "\t", "+", "7", "Ü", "\r\rA", ""};
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[random() % from.size()];
    };
    for (int file = 0; file < 400; ++file) {
        std::string text;
        const int lines = static_cast<int>(random() % 12);
        for (int i = 0; i < lines; ++i) {
            switch (random() % 8) {
                case 0:
                    text += pick(blanks);
                    break;
                case 1:
                    text += "junk" + pick(blanks);
                    break;
                case 2:
                    text += std::to_string(random() % 100) + pick(blanks);
                    break;
                default:
                    text += pick(blanks) + std::to_string(static_cast<int>(random() % 200) - 50) +
                            pick({" ", "\t"}) + std::to_string(random() % 9) + " " +
                            std::to_string(random() % 18) + pick(blanks) + pick(names) +
                            pick(blanks);
            }
            text += pick({"\n", "\r\n", "\r\r\n"});
        }
        if (random() % 4 == 0 && !text.empty()) {
            text.pop_back();
        }
        SCOPED_TRACE(::testing::PrintToString(text));
        ExpectRewriteReadsBack(text);
    }
}

// The file replacement is tested step by step on its own; here one failed step shows that a
// rewrite passes the failure on.
TEST(ElementsRewriteTest, FailedRewriteLeavesTheOldFileAndSaysSo)
{
    TempFolder folder;
    const std::string old = "1 0 0 H\n2 0 17 \r \r\n3 1 0 Li\r\n";
    folder.WriteText("ELEMENTS", old);
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    tables.ElementTable[0].name = "Hy";
    std::string error;
    const FileFaultScope fault(FileFaults::Step::Rename, ENOSPC, "ELEMENTS");
    EXPECT_FALSE(tables.WriteElements(folder.File("ELEMENTS"), &error));
    EXPECT_EQ(fault.Hits(), 1);
    EXPECT_NE(error.find("ELEMENTS"), std::string::npos) << error;
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    EXPECT_EQ(folder.ReadText("ELEMENTS"), old);
}

// A rewrite killed at a random moment leaves the old file or the new one, whole.
TEST(ElementsRewriteTest, KilledRewriteLeavesOldOrNewFile)
{
    TempFolder folder;
    std::string big;
    for (int i = 0; i < 3000; ++i) {
        big += std::to_string(i) + " 1 2 El" + std::to_string(i) + "\n";
    }
    const std::string path = folder.File("ELEMENTS");
    folder.WriteText("ELEMENTS", big);
    TextTables tables;
    tables.LoadElements(path);
    tables.ElementTable[0].name = "Renamed";
    EXPECT_EQ(KillDuringSave(
                  path, big, tables.ElementsText(), [&] { tables.WriteElements(path, nullptr); },
                  25, 30000),
              "");
}
