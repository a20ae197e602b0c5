#include "database/AtomicDataFile.h"
#include "database/AtomicDataWriter.h"
#include "database/TextTables.h"
#include "database/WavetableFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

auto Key(const AtomicLine& l)
{
    return std::tuple(static_cast<float>(l.aki), l.lowerEnergy, l.upperEnergy, l.lowerWeight,
                      l.upperWeight, l.ritz, l.lowerConfiguration, l.lowerTerm,
                      l.upperConfiguration, l.upperTerm);
}

}  // namespace

TEST(AtomicDataFileTest, ReadsWhatTheWriterWroteForItsTableOnly)
{
    AtomicLine a;
    a.aki = 2.5e6;
    a.lowerEnergy = 0.0;
    a.upperEnergy = 20000.5;
    a.lowerWeight = 1;
    a.upperWeight = 3;
    a.lowerConfiguration = "3p6";
    a.lowerTerm = "1S";
    a.upperConfiguration = "3p5.4s";
    a.upperTerm = "3P";
    AtomicLine b = a;  // shares three texts with `a`
    b.upperEnergy = 30000.25;
    b.upperTerm = "1P";
    b.ritz = true;
    AtomicDataWriter writer;
    writer.Add(a, 17, 1);
    writer.Add(AtomicLine{}, 17, 1);
    writer.Add(b, 17, 1);
    const std::vector<LineRecord> table = {Line(1000), Line(2000), Line(3000)};
    const std::string file = writer.Bytes({2, 1, 0}, table.front(), table.back());
    const std::string bytes = Bytes(table);
    const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* last = first + 2 * LineRecord::kSize;

    TempFolder folder;
    folder.WriteText("t.swa", file);
    std::string problem;
    const auto read = AtomicDataFile::Open(folder.File("t.swa"), 3, first, last, problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_EQ(Key(*read->Line(0)), Key(b));
    EXPECT_TRUE(read->Line(1)->IsEmpty());
    EXPECT_EQ(Key(*read->Line(2)), Key(a));
    EXPECT_EQ(read->Levels(17, 1),
              (std::vector<AtomicLevel>{{0.0, 1}, {20000.5, 3}, {30000.25, 3}}));

    EXPECT_FALSE(AtomicDataFile::Open(folder.File("t.swa"), 4, first, last, problem));
    EXPECT_FALSE(AtomicDataFile::Open(folder.File("t.swa"), 3, last, last, problem));
    folder.WriteText("t.swa", file.substr(0, file.size() - 1));
    EXPECT_FALSE(AtomicDataFile::Open(folder.File("t.swa"), 3, first, last, problem));
    EXPECT_NE(problem, "");

    // A table opens the file beside it; one beside another table is named and not used.
    folder.WriteText("t.swa", file);
    folder.WriteTable("t.swt", table);
    const TextTables text;
    EXPECT_NE(WavetableFile(folder.File("t.swt"), "t", text).AtomicData(), nullptr);
    folder.WriteTable("t.swt", {Line(1000), Line(2500), Line(3001)});
    const WavetableFile other(folder.File("t.swt"), "t", text);
    EXPECT_EQ(other.AtomicData(), nullptr);
    EXPECT_NE(other.ProblemText(WavetableFile::kAtomicData).find("another table"),
              std::string::npos);
}
