#include "ImportTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

#define SKIP_WITHOUT_NIST_DATA()                                              \
    if (NistDataFolder().empty()) {                                           \
        GTEST_SKIP() << "NIST line lists not found at " SPEKLA_NIST_DATA_DIR; \
    }

struct NistFile {
    const char* name;
    int elementCode;  // in the sample ELEMENTS: atomic number - 1
    int stage;
    size_t lines;  // data rows, counted with awk; every one has a wavelength
};

class NistFileTest : public testing::TestWithParam<NistFile> {};

TEST_P(NistFileTest, EveryLineWithAWavelengthLandsInTheTable)
{
    SKIP_WITHOUT_NIST_DATA();
    const NistFile& file = GetParam();
    TempInstallation dir;
    const ImportRun run =
        RunImport({"--into", dir.Path(), "--table", "t", NistDataFolder() + "/" + file.name});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<LineRecord> table = dir.Table("t.swt");
    ASSERT_EQ(table.size(), file.lines);
    EXPECT_NE(run.out.find(std::to_string(file.lines) + " lines read, " +
                           std::to_string(file.lines) + " written"),
              std::string::npos)
        << run.out;
    for (const LineRecord& record : table) {
        ASSERT_EQ(record.elementCode, file.elementCode);
        ASSERT_EQ(record.valenceCode, file.stage);
    }
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return a.wavelength < b.wavelength;
    }));
}

INSTANTIATE_TEST_SUITE_P(
    AllFiles, NistFileTest,
    testing::Values(NistFile{"ArI.ascii", 17, 1, 287}, NistFile{"ArII_vacuum.ascii", 17, 2, 1285},
                    NistFile{"CdI.ascii", 47, 1, 33}, NistFile{"CuI_vacuum.ascii", 28, 1, 475},
                    NistFile{"FeII_vacuum.ascii", 25, 2, 3092}, NistFile{"HeI.ascii", 1, 1, 296},
                    NistFile{"HgI.ascii", 79, 1, 433}, NistFile{"KrI_air.ascii", 35, 1, 476},
                    NistFile{"NeI.ascii", 9, 1, 429}, NistFile{"NeII_vacuum.ascii", 9, 2, 809},
                    NistFile{"XeI_air.ascii", 53, 1, 11}, NistFile{"ZnI.ascii", 29, 1, 37}),
    [](const auto& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

struct SpotLine {
    const char* file;
    int32_t stored;  // 0.001 Å; vacuum lists converted to air by hand (Edlén)
    int intensity;
    const char* description;
    const char* reference;
};

class NistSpotTest : public testing::TestWithParam<SpotLine> {};

TEST_P(NistSpotTest, LineIsStoredAsTheListGivesIt)
{
    SKIP_WITHOUT_NIST_DATA();
    const SpotLine& spot = GetParam();
    TempInstallation dir;
    const ImportRun run =
        RunImport({"--into", dir.Path(), "--table", "t", NistDataFolder() + "/" + spot.file});
    ASSERT_EQ(run.status, 0) << run.err;
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

TEST(NistImportTest, SeededFlagTextsKeepTheirCodes)
{
    SKIP_WITHOUT_NIST_DATA();
    TempInstallation dir;
    const std::string seeded = dir.ReadText("DESCRIPT");
    // Zn I uses only the single flags "r" and "w", both in the sample DESCRIPT.
    ASSERT_EQ(
        RunImport({"--into", dir.Path(), "--table", "zn", NistDataFolder() + "/ZnI.ascii"}).status,
        0);
    EXPECT_EQ(dir.ReadText("DESCRIPT"), seeded);
}

TEST(NistImportTest, SecondImportReusesTheCodes)
{
    SKIP_WITHOUT_NIST_DATA();
    TempInstallation dir;
    const std::string iron = NistDataFolder() + "/FeII_vacuum.ascii";
    ASSERT_EQ(RunImport({"--into", dir.Path(), "--table", "a", iron}).status, 0);
    const auto first = dir.Snapshot();
    ASSERT_EQ(RunImport({"--into", dir.Path(), "--table", "b", iron}).status, 0);
    EXPECT_EQ(dir.ReadText("DESCRIPT"), first.at("DESCRIPT"));
    EXPECT_EQ(dir.ReadText("REFERENC"), first.at("REFERENC"));
    EXPECT_EQ(dir.ReadText("b.swt"), first.at("a.swt"));

    // A list with texts of its own appends them; the old lines stay as they were.
    ASSERT_EQ(
        RunImport({"--into", dir.Path(), "--table", "c", NistDataFolder() + "/HgI.ascii", iron})
            .status,
        0);
    EXPECT_TRUE(dir.ReadText("REFERENC").starts_with(first.at("REFERENC")));
    EXPECT_GT(dir.ReadText("REFERENC").size(), first.at("REFERENC").size());
    EXPECT_TRUE(dir.ReadText("DESCRIPT").starts_with(first.at("DESCRIPT")));
    std::vector<LineRecord> ironInC;
    for (const LineRecord& record : dir.Table("c.swt")) {
        if (record.elementCode == 25) {
            ironInC.push_back(record);
        }
    }
    const std::vector<LineRecord> ironInA = dir.Table("a.swt");
    ASSERT_EQ(ironInC.size(), ironInA.size());
    for (size_t i = 0; i < ironInA.size(); ++i) {
        EXPECT_EQ(ironInC[i].descriptionCode, ironInA[i].descriptionCode);
        EXPECT_EQ(ironInC[i].referenceCode, ironInA[i].referenceCode);
    }
}

TEST(NistImportTest, WindowsLineEndsReadTheSame)
{
    SKIP_WITHOUT_NIST_DATA();
    TempInstallation dir;
    TempInstallation source;
    std::string crlf;
    for (const char c : ReadFile(NistDataFolder() + "/HgI.ascii")) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    source.WriteText("HgI.ascii", crlf);
    ASSERT_EQ(
        RunImport({"--into", dir.Path(), "--table", "lf", NistDataFolder() + "/HgI.ascii"}).status,
        0);
    const auto afterLf = dir.Snapshot();
    ASSERT_EQ(RunImport({"--into", dir.Path(), "--table", "crlf", source.File("HgI.ascii")}).status,
              0);
    EXPECT_EQ(dir.ReadText("crlf.swt"), afterLf.at("lf.swt"));
    EXPECT_EQ(dir.ReadText("DESCRIPT"), afterLf.at("DESCRIPT"));
    EXPECT_EQ(dir.ReadText("REFERENC").find('\r'), std::string::npos);
}

}  // namespace
