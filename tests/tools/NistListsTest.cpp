// The committed NIST line lists of data/nist, alone and all in one table as
// scripts/make-sample-data imports them for the sample installation's lamps.
#include "ImportTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct Lamp {
    const char* file;
    int elementCode;  // in the sample ELEMENTS: atomic number - 1
    int stage;
    size_t lines;  // data rows, counted with awk; every one has a wavelength
};

// In name order, as in the folder: air and vacuum lists alternate.
const Lamp kLamps[] = {
    {"ArI.ascii", 17, 1, 287},        {"ArII_vacuum.ascii", 17, 2, 1285}, {"CdI.ascii", 47, 1, 33},
    {"CuI_vacuum.ascii", 28, 1, 475}, {"FeII_vacuum.ascii", 25, 2, 3092}, {"HeI.ascii", 1, 1, 296},
    {"HgI.ascii", 79, 1, 433},        {"KrI_air.ascii", 35, 1, 476},      {"NeI.ascii", 9, 1, 429},
    {"NeII_vacuum.ascii", 9, 2, 809}, {"XeI_air.ascii", 53, 1, 11},       {"ZnI.ascii", 29, 1, 37},
};

class NistListsTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (NistDataFolder().empty()) {
            GTEST_SKIP() << "NIST line lists not found at " SPEKLA_NIST_DATA_DIR;
        }
    }

    static std::string List(const std::string& name) { return NistDataFolder() + "/" + name; }

    // Imports `files` into table `table` of `dir`.
    static ImportRun Import(const TempInstallation& dir, const std::string& table,
                            const std::vector<std::string>& files)
    {
        std::vector<std::string> arguments = {"--into", dir.Path(), "--table", table};
        arguments.insert(arguments.end(), files.begin(), files.end());
        return RunImport(arguments);
    }
};

bool Sorted(const std::vector<LineRecord>& table)
{
    return std::is_sorted(table.begin(), table.end(),
                          [](const auto& a, const auto& b) { return a.wavelength < b.wavelength; });
}

// A line as the program shows it: its texts rather than their codes, which depend on the order
// in which the lists were read.
using ShownLine = std::tuple<int32_t, int, std::string, std::string>;

std::vector<ShownLine> Shown(const TempInstallation& dir, const std::string& table,
                             const Lamp& lamp)
{
    std::vector<ShownLine> lines;
    for (const LineRecord& record : dir.Table(table)) {
        if (record.elementCode == lamp.elementCode && record.valenceCode == lamp.stage) {
            lines.emplace_back(record.wavelength, record.intensityCode,
                               dir.TextLine("DESCRIPT", record.descriptionCode),
                               dir.TextLine("REFERENC", record.referenceCode));
        }
    }
    return lines;
}

}  // namespace

// Every line with a wavelength lands in the table, and a medium or column layout carried over
// from one list to the next would shift or lose lines of the later ones.
TEST_F(NistListsTest, EachListReadsTheSameAloneAsAmongTheOthers)
{
    TempInstallation together;
    std::vector<std::string> all = {"--format", "nist"};
    size_t total = 0;
    for (const Lamp& lamp : kLamps) {
        all.push_back(List(lamp.file));
        total += lamp.lines;
    }
    const ImportRun run = Import(together, "lamps", all);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.counts.size(), std::size(kLamps));
    const std::vector<LineRecord> table = together.Table("lamps.swt");
    EXPECT_EQ(table.size(), total);  // nothing skipped, nothing else
    EXPECT_TRUE(Sorted(table));
    for (const LineRecord& record : table) {
        // The lists span 3000 to 12,000 Å, vacuum ones converted to air (about 1 Å less).
        ASSERT_GE(record.wavelength, 2990000);
        ASSERT_LE(record.wavelength, 12000000);
    }

    for (const Lamp& lamp : kLamps) {
        SCOPED_TRACE(lamp.file);
        TempInstallation alone;
        const ImportRun one = Import(alone, "one", {List(lamp.file)});
        ASSERT_EQ(one.status, 0) << one.err;
        const std::string n = std::to_string(lamp.lines);
        EXPECT_NE(one.out.find(n + " lines read, " + n + " written"), std::string::npos) << one.out;
        EXPECT_EQ(alone.Table("one.swt").size(), lamp.lines);
        EXPECT_TRUE(Sorted(alone.Table("one.swt")));
        const std::vector<ShownLine> single = Shown(alone, "one.swt", lamp);
        EXPECT_EQ(single.size(), lamp.lines);  // every line of the list's own spectrum
        EXPECT_EQ(Shown(together, "lamps.swt", lamp), single);
    }
}

namespace {

struct SpotLine {
    const char* file;
    int32_t stored;  // 0.001 Å; vacuum lists converted to air by hand (Edlén)
    int intensity;
    const char* description;
    const char* reference;
};

class NistSpotTest : public NistListsTest, public testing::WithParamInterface<SpotLine> {};

}  // namespace

TEST_P(NistSpotTest, LineIsStoredAsTheListGivesIt)
{
    const SpotLine& spot = GetParam();
    TempInstallation dir;
    ASSERT_EQ(Import(dir, "t", {List(spot.file)}).status, 0);
    const std::vector<LineRecord> table = dir.Table("t.swt");
    const auto line = std::find_if(table.begin(), table.end(), [&](const LineRecord& record) {
        return record.wavelength == spot.stored;
    });
    ASSERT_NE(line, table.end()) << spot.stored;
    EXPECT_EQ(line->intensityCode, spot.intensity);
    EXPECT_EQ(dir.TextLine("DESCRIPT", line->descriptionCode), spot.description);
    EXPECT_EQ(dir.TextLine("REFERENC", line->referenceCode), spot.reference);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NistSpotTest,
    testing::Values(
        // Vacuum 3000.9369 Å, observed, intensity 1800.
        SpotLine{"FeII_vacuum.ascii", 3000062, 33, "", "L18349c139"},
        // Vacuum 3001.170 Å, "250bl(Fe II)?*".
        SpotLine{"FeII_vacuum.ascii", 3000295, 24, "bl(Fe II)?*", "L18349c143"},
        SpotLine{"ZnI.ascii", 3282330, 27, "r", "L4741"},  // "500r", no Ritz column value
        SpotLine{"HeI.ascii", 3187733, 0, "", ""},         // Ritz only: 3187.7331755
        SpotLine{"HeI.ascii", 3187745, 13, "*", "L14925c72"},
        SpotLine{"KrI_air.ascii", 5325700, 0, "-", "L7408"},  // "1-": lower than 1
        SpotLine{"HgI.ascii", 3007140, 5, "", "L4742,L7589c86"},
        SpotLine{"CuI_vacuum.ascii", 3082535, 0, "Ih", "L772"},   // vacuum 3083.43, "Ih"
        SpotLine{"NeII_vacuum.ascii", 4517397, 0, "m", "L1406"},  // Ritz 4518.6643 vacuum, "m"
        SpotLine{"ArI.ascii", 5032024, 0, "", ""}, SpotLine{"CdI.ascii", 9292000, 13, "*", "L7381"},
        SpotLine{"XeI_air.ascii", 8231634, 40, "", "L7292"}));

TEST_F(NistListsTest, SeededFlagTextsKeepTheirCodes)
{
    TempInstallation dir;
    const std::string seeded = dir.ReadText("DESCRIPT");
    // Zn I uses only the single flags "r" and "w", both in the sample DESCRIPT.
    ASSERT_EQ(Import(dir, "zn", {List("ZnI.ascii")}).status, 0);
    EXPECT_EQ(dir.ReadText("DESCRIPT"), seeded);
}

TEST_F(NistListsTest, SecondImportReusesTheCodes)
{
    TempInstallation dir;
    const std::string iron = List("FeII_vacuum.ascii");
    ASSERT_EQ(Import(dir, "a", {iron}).status, 0);
    const auto first = dir.Snapshot();
    ASSERT_EQ(Import(dir, "b", {iron}).status, 0);
    EXPECT_EQ(dir.ReadText("DESCRIPT"), first.at("DESCRIPT"));
    EXPECT_EQ(dir.ReadText("REFERENC"), first.at("REFERENC"));
    EXPECT_EQ(dir.ReadText("b.swt"), first.at("a.swt"));

    // A list with texts of its own appends them; the old lines stay as they were.
    ASSERT_EQ(Import(dir, "c", {List("HgI.ascii"), iron}).status, 0);
    EXPECT_TRUE(dir.ReadText("REFERENC").starts_with(first.at("REFERENC")));
    EXPECT_GT(dir.ReadText("REFERENC").size(), first.at("REFERENC").size());
    EXPECT_TRUE(dir.ReadText("DESCRIPT").starts_with(first.at("DESCRIPT")));
    std::vector<LineRecord> ironInC = dir.Table("c.swt");
    std::erase_if(ironInC, [](const LineRecord& record) { return record.elementCode != 25; });
    const std::vector<LineRecord> ironInA = dir.Table("a.swt");
    ASSERT_EQ(ironInC.size(), ironInA.size());
    for (size_t i = 0; i < ironInA.size(); ++i) {
        EXPECT_EQ(ironInC[i].descriptionCode, ironInA[i].descriptionCode);
        EXPECT_EQ(ironInC[i].referenceCode, ironInA[i].referenceCode);
    }
}

TEST_F(NistListsTest, WindowsLineEndsReadTheSame)
{
    TempInstallation dir;
    TempFolder source;
    std::string crlf;
    for (const char c : ReadFile(List("HgI.ascii"))) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    source.WriteText("HgI.ascii", crlf);
    ASSERT_EQ(Import(dir, "lf", {List("HgI.ascii")}).status, 0);
    const auto afterLf = dir.Snapshot();
    ASSERT_EQ(Import(dir, "crlf", {source.File("HgI.ascii")}).status, 0);
    EXPECT_EQ(dir.ReadText("crlf.swt"), afterLf.at("lf.swt"));
    EXPECT_EQ(dir.ReadText("DESCRIPT"), afterLf.at("DESCRIPT"));
    EXPECT_EQ(dir.ReadText("REFERENC").find('\r'), std::string::npos);
}
