#include "ImportTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Element codes in the sample ELEMENTS (atomic number - 1).
constexpr int kHydrogen = 0, kNeon = 9, kSodium = 10, kCalcium = 19, kIron = 25;

struct Expected {
    int32_t wavelength;
    int element;
    int stage;
    int intensity;
    std::string description;
    std::string reference;
    bool operator==(const Expected&) const = default;
};

// Checks the table against `expected`, with the texts behind the codes.
void ExpectTable(const TempInstallation& dir, const std::string& table,
                 const std::vector<Expected>& expected)
{
    std::vector<Expected> actual;
    for (const LineRecord& r : dir.Table(table)) {
        actual.push_back({r.wavelength, r.elementCode, r.valenceCode, r.intensityCode,
                          dir.TextLine("DESCRIPT", r.descriptionCode),
                          dir.TextLine("REFERENC", r.referenceCode)});
    }
    EXPECT_EQ(actual, expected);
}

void ExpectSkipped(const ImportCounts& counts, size_t malformed, size_t noWavelength,
                   size_t unknownElement, size_t unknownStage)
{
    EXPECT_EQ(counts.Skipped(SkipReason::kMalformed), malformed);
    EXPECT_EQ(counts.Skipped(SkipReason::kNoWavelength), noWavelength);
    EXPECT_EQ(counts.Skipped(SkipReason::kUnknownElement), unknownElement);
    EXPECT_EQ(counts.Skipped(SkipReason::kUnknownStage), unknownStage);
}

ImportRun ImportText(const TempInstallation& dir, const std::string& text,
                     std::vector<std::string> options)
{
    dir.WriteText("input", text);
    std::vector<std::string> arguments = {"--into", dir.Path(), "--table", "t"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(dir.File("input"));
    return RunImport(arguments);
}

TEST(CsvListTest, ColumnsInAnyOrderAndCaseWithEveryKindOfBadRow)
{
    TempInstallation dir;
    const ImportRun run = ImportText(dir,
                                     "# a hand-made list\n"
                                     "Reference,ION,wavelength,Element,intensity,description,x\n"
                                     "Smith 1990,II,4000.000,Fe,100,,x\n"
                                     "Smith 1990,2,3999.5,fe,250bl,,x\n"
                                     "Jones,I,5000,Na,10,a  plain  text,x\n"
                                     ",,4500,Fe,,,\n"
                                     ",,,,,,\n"
                                     "r,I,abc,Fe,1,,x\n"
                                     "r,I,4100,Xx,1,,x\n"
                                     "r,XXV,4200,Fe,1,,x\n"
                                     "r,I,4300\n",
                                     {});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectTable(dir, "t.swt",
                {{3999500, kIron, 2, 24, "bl", "Smith 1990"},
                 {4000000, kIron, 2, 20, "", "Smith 1990"},
                 {4500000, kIron, 0, 0, "", ""},
                 {5000000, kSodium, 1, 10, "a plain text", "Jones"}});
    ASSERT_EQ(run.counts.size(), 1u);
    EXPECT_EQ(run.counts[0].read, 8u);
    ExpectSkipped(run.counts[0], 1, 1, 1, 1);
}

TEST(CsvListTest, UnitsMediaAndSpectrumOption)
{
    TempInstallation dir;
    ASSERT_EQ(ImportText(dir, "wavelength\telement\tion\n500.0\tFe\tII\n121.567\tH\tI\n",
                         {"--unit", "nm", "--medium", "vacuum"})
                  .status,
              0);
    ExpectTable(dir, "t.swt", {{1215670, kHydrogen, 1, 0, "", ""}, {4998606, kIron, 2, 0, "", ""}});

    // Wave numbers are vacuum whatever the medium; --spectrum fills the missing ion.
    ASSERT_EQ(
        ImportText(dir, "wavelength,element\n20000,Fe\n", {"--unit=cm-1", "--spectrum", "Fe II"})
            .status,
        0);
    ExpectTable(dir, "t.swt", {{4998606, kIron, 2, 0, "", ""}});

    ASSERT_EQ(ImportText(dir, "Wavelength\n3933.663\n", {"--spectrum", "Ca II"}).status, 0);
    ExpectTable(dir, "t.swt", {{3933663, kCalcium, 2, 0, "", ""}});
}

constexpr const char* kStrongLines = R"(<?xml version="1.0"?>
<!-- <peak xValue="1" yValue="1"/> in a comment is no peak -->
<bo:spectrumdata xmlns:bo="http://www.blueobelisk.org/schema">
 <spectrum id="e26"><name>Iron &amp; co</name><peakList>
  <peak xValue="1000" yValue="3719.935" xUnits="units:dimensionless" yUnits="units:ang"/>
  <peak xValue="200*" yValue="1990.0" yUnits="units:ang" />
  <peak xValue='50' yValue='400.0' yUnits='units:nm'/>
  <peak xValue="10" yValue="abc" yUnits="units:ang"/>
  <peak xValue="10" yValue="5000" yUnits="units:parsec"/>
  <peak xValue="lots" yValue="5000"/>
  <peak yValue="6000"/>
 </peakList></spectrum>
 <spectrum id="e999"><peakList><peak xValue="1" yValue="5000"/></peakList></spectrum>
 <spectrum id="e11"><peakList>
  <peak xValue="1" yValue="5895.924" yUnits="units:ang"/>
  <peak xValue="1" yValue="58)";

TEST(XmlListTest, PeaksBecomeLinesAndDamagedOnesAreCounted)
{
    TempInstallation dir;
    const ImportRun run = ImportText(dir, kStrongLines, {"--stage", "II"});
    ASSERT_EQ(run.status, 0) << run.err;
    // 1990.0 Å is vacuum by the NIST convention, so it is stored as air.
    ExpectTable(dir, "t.swt",
                {{1989354, kIron, 2, 23, "*", ""},
                 {3719935, kIron, 2, 30, "", ""},
                 {4000000, kIron, 2, 17, "", ""},
                 {5895924, kSodium, 2, 0, "", ""},
                 {6000000, kIron, 2, 0, "", ""}});
    ASSERT_EQ(run.counts.size(), 1u);
    EXPECT_EQ(run.counts[0].read, 10u);
    ExpectSkipped(run.counts[0], 3, 1, 1, 0);
}

TEST(XmlListTest, MediumOptionOverridesTheConvention)
{
    TempInstallation dir;
    ASSERT_EQ(ImportText(dir,
                         "<spectrum id=\"e11\"><peak xValue=\"5\" yValue=\"1990\"/>"
                         "<peak xValue=\"5\" yValue=\"5000\"/></spectrum>",
                         {"--format", "xml", "--medium", "air"})
                  .status,
              0);
    ExpectTable(dir, "t.swt", {{1990000, kSodium, 0, 7, "", ""}, {5000000, kSodium, 0, 7, "", ""}});
}

TEST(NistExportTest, CsvExportWithRepeatedHeaderForTheOtherMedium)
{
    TempInstallation dir;
    const ImportRun run = ImportText(
        dir, R"(element,sp_num,obs_wl_vac(nm),unc_obs_wl,ritz_wl_vac(nm),intens,Acc,line_ref
Fe,2,="199.0000",="0.001",="199.0001",="500bl",="C",="L1,L2",
element,sp_num,obs_wl_air(nm),unc_obs_wl,ritz_wl_air(nm),intens,Acc,line_ref
Fe,2,="",="",="400.0000",="-",="",="L3",
Ne,1,="500.0",="",="500.0",="100",="",="",
Fe,25,="300.0",="",="",="1",="",="",
Fe,2,="300.0"
)",
        {});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectTable(dir, "t.swt",
                {{1989354, kIron, 2, 27, "bl", "L1,L2"},
                 {4000000, kIron, 2, 0, "", "L3"},
                 {5000000, kNeon, 1, 20, "", ""}});
    ExpectSkipped(run.counts.at(0), 1, 0, 0, 1);
}

TEST(NistExportTest, TabSeparatedExportOfOneSpectrumNamedByOption)
{
    TempInstallation dir;
    const ImportRun run = ImportText(dir,
                                     "obs_wl_air(A)\tritz_wl_air(A)\tintens\tline_ref\n"
                                     "\"5000.1\"\t\"5000.12\"\t\"20h\"\t\"L9\"\n"
                                     "\"\"\t\"\"\t\"3\"\t\"L9\"\n",
                                     {"--spectrum", "Na I"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectTable(dir, "t.swt", {{5000100, kSodium, 1, 13, "h", "L9"}});
    ExpectSkipped(run.counts.at(0), 0, 1, 0, 0);
}

TEST(NistTextTest, DamagedRowsAreCountedNotGuessed)
{
    TempInstallation dir;
    const ImportRun run = ImportText(dir,
                                     "#  a hand-cut table\n"
                                     "  Observed  |    Ritz    | Rel. |  Line |\n"
                                     "# Wavelength| Wavelength | Int. |  Ref. |\n"
                                     "#   Air (Å) |   Air (Å)  |      |       |\n"
                                     "#---------------------------------------\n"
                                     "    5000.0  |            |  10  |  L1   |\n"
                                     "            |            |      |       |\n"
                                     "    abc     |    xyz     |  10  |  L1   |\n"
                                     "    5100.0  |   5100.1   |  20\n"
                                     "    -5      |            |      |  L2   |\n"
                                     "a footer that is not part of the table\n"
                                     "    5200.0  |            |   3  |  L3   |\n",
                                     {"--spectrum", "Fe I"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectTable(dir, "t.swt",
                {{5000000, kIron, 1, 10, "", "L1"}, {5200000, kIron, 1, 5, "", "L3"}});
    EXPECT_EQ(run.counts.at(0).read, 6u);
    ExpectSkipped(run.counts.at(0), 2, 2, 0, 0);
}

TEST(CodeLimitTest, TextsBeyondCode255AreCountedAndGetCodeZero)
{
    TempInstallation dir;  // DESCRIPT holds 30 flags, REFERENC does not exist yet
    std::string list = "wavelength,element,ion,description,reference\n";
    for (int i = 1; i <= 300; ++i) {
        list += std::to_string(4000 + i) + ",Fe,I,d" + std::to_string(i) + ",r" +
                std::to_string(i) + "\n";
    }
    const ImportRun run = ImportText(dir, list, {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.counts.at(0).Written(), 300u);
    EXPECT_EQ(run.counts.at(0).descriptionsFull, 75u);
    EXPECT_EQ(run.counts.at(0).referencesFull, 45u);
    EXPECT_NE(run.out.find("75 descriptions, 45 references"), std::string::npos) << run.out;
    EXPECT_EQ(dir.TextLine("DESCRIPT", 255), "d225");
    EXPECT_EQ(dir.TextLine("DESCRIPT", 256), "");
    EXPECT_EQ(dir.TextLine("REFERENC", 255), "r255");
    const std::vector<LineRecord> table = dir.Table("t.swt");
    EXPECT_EQ(table[224].descriptionCode, 255);
    EXPECT_EQ(table[225].descriptionCode, 0);
    EXPECT_EQ(table[254].referenceCode, 255);
    EXPECT_EQ(table[255].referenceCode, 0);
}

}  // namespace
