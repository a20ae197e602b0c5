#include "database/TextTables.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct RevisionCase {
    const char* name;
    void (*action)(TextTables& tables, const TempFolder& folder);
    bool changes;
};

class TextTablesRevisionTest : public ::testing::TestWithParam<RevisionCase> {};

}  // namespace

// Codes follow line numbers from 1; a final line end adds an empty entry.
TEST(TextTablesTest, DescriptionAndReferenceCodesFollowLineNumbers)
{
    TempFolder folder;
    folder.WriteText("DESCRIPT", "alpha\n\n  gamma ");
    folder.WriteText("REFERENC", "Smith 1990\r\nJones 2001\r\n");
    TextTables tables;
    tables.LoadDescriptions(folder.File("DESCRIPT"));
    tables.LoadReferences(folder.File("REFERENC"));
    EXPECT_EQ(tables.DescriptionTable, (std::vector<std::string>{"", "alpha", "", "gamma"}));
    EXPECT_EQ(tables.ReferenceTable,
              (std::vector<std::string>{"", "Smith 1990", "Jones 2001", ""}));
}

// Long texts are cut for display at a character boundary; a two-byte "é" straddles byte 300.
TEST(TextTablesTest, LongTextsAreCutToTheShownLength)
{
    const std::string a300(300, 'a');
    const std::string a299(299, 'a');
    TempFolder folder;
    folder.WriteText("REFERENC", "  " + a300 + "  \n" + a300 + "b\n" + a299 + "\u00e9z");
    TextTables tables;
    tables.LoadReferences(folder.File("REFERENC"));
    EXPECT_EQ(tables.ReferenceTable,
              (std::vector<std::string>{"", a300, a300 + "\u2026", a299 + "\u2026"}));
}

TEST(TextTablesTest, MissingFilesLeaveDefaultsAndNoElementsFileIsMade)
{
    TempFolder folder;
    TextTables tables;
    tables.Load(folder.Path());
    EXPECT_EQ(tables.DescriptionTable, std::vector<std::string>{""});
    EXPECT_EQ(tables.ReferenceTable, std::vector<std::string>{""});
    EXPECT_TRUE(tables.ElementTable.empty());
    EXPECT_EQ(tables.ValenceNameTable.size(), 26u);
    ASSERT_TRUE(tables.WriteElements(folder.File("ELEMENTS"), nullptr));
    EXPECT_FALSE(std::filesystem::exists(folder.File("ELEMENTS")));
}

TEST(TextTablesTest, ElementLinesAreParsed)
{
    TempFolder folder;
    folder.WriteText("ELEMENTS", "26 3 7   Fe  \r\n1 0 0\n11   2  0 Na\n\n");
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    ASSERT_EQ(tables.ElementTable.size(), 2u);
    const Element& iron = tables.ElementTable[0];
    EXPECT_EQ(iron.atomicNumber, 26);
    EXPECT_EQ(iron.row, 3);
    EXPECT_EQ(iron.column, 7);
    EXPECT_EQ(iron.name, "Fe");
    EXPECT_EQ(iron.selected, 1);
    EXPECT_DOUBLE_EQ(iron.ratio, 1.0);
    // The line without a name adds nothing, so sodium takes code 1.
    EXPECT_EQ(tables.ElementName(1), "Na");
}

TEST(TextTablesTest, SortIndexIsAlphabeticalPosition)
{
    TempFolder folder;
    folder.WriteText("ELEMENTS", "11 2 0 Na\n13 2 12 Al\n20 3 1 Ca\n99 9 9 Al\n");
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    std::vector<int> order;
    for (const Element& element : tables.ElementTable) {
        order.push_back(element.sortIndex);
    }
    // Equal names share the last position that holds the name.
    EXPECT_EQ(order, (std::vector<int>{3, 1, 2, 1}));
}

TEST(TextTablesTest, LookupsBeyondTheTablesAreEmptyAndSafe)
{
    TextTables tables;
    EXPECT_EQ(tables.ValenceName(24), "Ox");
    EXPECT_EQ(tables.ValenceName(25), "BH");
    EXPECT_EQ(tables.ValenceName(20), "");
    EXPECT_EQ(tables.ValenceName(19), "XIX");
    EXPECT_EQ(tables.ValenceName(200), "");
    EXPECT_EQ(tables.ElementName(7), "");
    EXPECT_EQ(tables.DescriptionText(255), "");
    EXPECT_EQ(tables.ReferenceText(1), "");
    EXPECT_FALSE(tables.IsElementSelected(0));
    EXPECT_FALSE(tables.IsValenceShown(26));
    EXPECT_DOUBLE_EQ(tables.ElementRatio(3), 1.0);
    for (uint16_t flag : tables.ValenceFlags) {
        EXPECT_EQ(flag, 1);
    }
}

TEST(TextTablesTest, RewriteIsCanonicalAndKeepsUnreadableTail)
{
    TempFolder folder;
    folder.WriteText("ELEMENTS", "26   3 7 Fe\n1 0 0\n8 1 15 O\nxx 1 2 Bad\n10 0 17 Ne\n");
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    ASSERT_EQ(tables.ElementTable.size(), 2u);
    tables.ElementTable[0].selected = 0;  // selection and ratio are not written
    tables.ElementTable[1].ratio = 3.0;
    tables.ElementTable[1].name = "Ox";
    std::string error;
    ASSERT_TRUE(tables.WriteElements(folder.File("ELEMENTS"), &error)) << error;
    // The line without a name gave no element and stays as it stood.
    EXPECT_EQ(folder.ReadText("ELEMENTS"), "26 3 7 Fe\n1 0 0\n8 1 15 Ox\nxx 1 2 Bad\n10 0 17 Ne\n");
}

// A table changed only in what is not written leaves the file as it stood, so an edit of
// another program stays; a renamed element is not written over such an edit either.
TEST(TextTablesTest, RewritesOnlyAChangedTableOverTheFileItRead)
{
    TempFolder folder;
    folder.WriteText("ELEMENTS", "26   3 7 Fe\n");
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    tables.ElementTable[0].selected = 0;
    ASSERT_TRUE(tables.WriteElements(folder.File("ELEMENTS"), nullptr));
    EXPECT_EQ(folder.ReadText("ELEMENTS"), "26   3 7 Fe\n");

    folder.WriteText("ELEMENTS", "26 3 7 Iron\n");
    tables.ElementTable[0].name = "Fe2";
    std::string error;
    EXPECT_FALSE(tables.WriteElements(folder.File("ELEMENTS"), &error));
    EXPECT_NE(error.find("changed by another program"), std::string::npos) << error;
    EXPECT_EQ(folder.ReadText("ELEMENTS"), "26 3 7 Iron\n");
}

TEST(TextTablesTest, UnreadableElementsFileIsNotOverwritten)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.File("ELEMENTS"));  // exists, cannot be read
    TextTables tables;
    tables.LoadElements(folder.File("ELEMENTS"));
    std::string error;
    EXPECT_FALSE(tables.WriteElements(folder.File("ELEMENTS"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("ELEMENTS")));
}

TEST_P(TextTablesRevisionTest, ChangesWithEveryLoadAndNoteOnly)
{
    const RevisionCase& c = GetParam();
    TempFolder folder;
    folder.WriteText("ELEMENTS", ElementsText({"H", "He"}));
    folder.WriteText("DESCRIPT", "alpha\n");
    TextTables tables;
    tables.Load(folder.Path());
    const uint64_t before = tables.Revision();
    c.action(tables, folder);
    EXPECT_EQ(tables.Revision() != before, c.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextTablesRevisionTest,
    ::testing::Values(
        RevisionCase{"Load", [](auto& t, auto& folder) { t.Load(folder.Path()); }, true},
        RevisionCase{"Descriptions",
                     [](auto& t, auto& folder) { t.LoadDescriptions(folder.File("DESCRIPT")); },
                     true},
        // A missing file empties the table all the same.
        RevisionCase{"References",
                     [](auto& t, auto& folder) { t.LoadReferences(folder.File("REFERENC")); },
                     true},
        RevisionCase{"Elements",
                     [](auto& t, auto& folder) { t.LoadElements(folder.File("ELEMENTS")); }, true},
        RevisionCase{"SortIndex", [](auto& t, auto&) { t.BuildSortIndex(); }, true},
        RevisionCase{"Noted", [](auto& t, auto&) { t.NoteChanged(); }, true},
        RevisionCase{"Reads",
                     [](auto& t, auto& folder) {
                         t.ElementName(1);
                         t.IsElementSelected(0);
                         t.WriteElements(folder.File("ELEMENTS"), nullptr);
                     },
                     false}),
    [](const auto& info) { return std::string(info.param.name); });
