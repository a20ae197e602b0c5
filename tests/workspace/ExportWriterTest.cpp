#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/StringUtil.h"
#include "graph/Summation.h"
#include "support/FileFaultScope.h"
#include "support/FileSizeLimit.h"
#include "support/KillDuringSave.h"
#include "support/TestFiles.h"
#include "workspace/ExportSettings.h"
#include "workspace/ExportWriter.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Fe is element 1, Cu element 2; valence 2 is "II"; descriptions and references by code.
LineRecord Fe(int32_t wavelength, uint8_t intensity, uint8_t description, uint8_t reference)
{
    LineRecord record = Line(wavelength, 1, 2, intensity);
    record.descriptionCode = description;
    record.referenceCode = reference;
    return record;
}

const ExportSettings kDataOnly{"", "", 0, 0, 1};
const ExportSettings kSummationOnly{"", "", 0, 1, 0};
const ExportSettings kBoth{"", "", 1, 0, 0};

class ExportWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe", "Cu"}));
        folder.WriteText("DESCRIPT", "P\nW\n");
        folder.WriteText("REFERENC", "K95\nN02\n1\n11\n");
        text.Load(folder.Path());
    }

    // Three sources, A, B and C, all listing Fe II at 4000 Å.
    void ThreeSources()
    {
        folder.WriteTable("A.swt",
                          {Fe(3999400, 5, 0, 0), Fe(3999500, 10, 1, 1), Fe(4000000, 30, 1, 1),
                           Line(4000500, 2, 2, 0), Fe(4000600, 5, 0, 0)});
        folder.WriteTable("B.swt", {Fe(4000000, 20, 2, 4)});
        folder.WriteTable("C.swt", {Fe(4000000, 10, 0, 1), Fe(4000000, 10, 0, 3)});
        Load(4000000);
    }

    void Load(int32_t wavelength)
    {
        tables.ScanDirectory(folder.Path());
        tables.GoToWavelength(wavelength);
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    ExportWriter writer{text, tables};
};

struct ScaleCase {
    const char* name;
    bool linear;
    const char* rows;
};

class ExportScaleTest : public ExportWriterTest, public ::testing::WithParamInterface<ScaleCase> {};

}  // namespace

// Duplicates make one row with a column pair per source, the references once each (C's "1"
// after B's "11" is a reference of its own), the edges of the window included; the ratio and
// the source scale never change the intensity texts.
TEST_P(ExportScaleTest, DataRowsGroupDuplicatesAcrossSources)
{
    const ScaleCase& c = GetParam();
    ThreeSources();
    FillCompletely(tables);
    tables.SetLinear(c.linear);
    text.ElementTable[1].ratio = 2.0;
    tables.SetUseRatios(true);
    tables.FileAt(0).SetScale(5.0);
    const std::string header = "Wavelength\tElement\tValence\tA\t\tB\t\tC\t\tReference\n";
    EXPECT_EQ(writer.Compose(kDataOnly, 1.0, {}), header + c.rows + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ExportScaleTest,
    ::testing::Values(ScaleCase{"Logarithmic", false,
                                "3999.500\tFe\tII\t1.0\tP\t\t\t\t\tK95 \t\n"
                                "4000.000\tFe\tII\t3.0\tP\t2.0\tW\t1.0\t\tK95 11 1 \t\n"
                                "4000.500\tCu\tII\t   .   \t\t\t\t\t\t\t\n"},
                      ScaleCase{"Linear", true,
                                "3999.500\tFe\tII\t10\tP\t\t\t\t\tK95 \t\n"
                                "4000.000\tFe\tII\t1000\tP\t100\tW\t10\t\tK95 11 1 \t\n"
                                "4000.500\tCu\tII\t    .  \t\t\t\t\t\t\t\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportWriterTest, SwitchedOffSourcesHaveNoColumns)
{
    ThreeSources();
    tables.SetActive(1, false);
    tables.Rebuild();
    FillCompletely(tables);
    EXPECT_EQ(writer.DataBlock(4000000, 4000000),
              "Wavelength\tElement\tValence\tA\t\tC\t\tReference\n"
              "4000.000\tFe\tII\t3.0\tP\t1.0\t\tK95 1 \t\n\n");
}

// Each block keeps its header lines and empty line when it has no rows.
TEST_F(ExportWriterTest, EmptyListGivesHeadersOnly)
{
    folder.WriteTable("A.swt", {});
    Load(4000000);
    EXPECT_EQ(writer.Compose(kBoth, 1.0, {}),
              "Wavelength\tElement\tValence\tA\t\tReference\n\n"
              "Summation data\nWavelength\tIntensity\n\n");
    EXPECT_EQ(writer.Compose(kSummationOnly, 1.0, {}), "Summation data\nWavelength\tIntensity\n\n");
}

// The window is r Å wide about the current line, both ends included, even when the idle fill
// has not read that far yet.
TEST_F(ExportWriterTest, ExportCompletesTheListAcrossTheWindow)
{
    folder.WriteTable("A.swt", Ramp(201, 3990000, 100, 1));  // 3990 to 4010 Å
    Load(4000000);  // a single fill step: the lines next to 4000 Å only
    ASSERT_LT(tables.DisplayList().Count(), 11u);
    const std::vector<std::string> lines = SplitLines(writer.Compose(kDataOnly, 1.0, {}));
    ASSERT_EQ(lines.size(), 13u);  // header, 11 rows, empty line
    EXPECT_EQ(lines[1].substr(0, 9), "3999.500\t");
    EXPECT_EQ(lines[11].substr(0, 9), "4000.500\t");
    EXPECT_EQ(tables.DisplayList().CurrentWavelength(), 4000000);
}

// Row j stands where the graph put sample j: the line added at the centre peaks on 4000.000.
TEST_F(ExportWriterTest, SummationRowsLieOnTheSamples)
{
    folder.WriteTable("A.swt", {Line(4000000, 1, 2, 20)});
    Load(4000000);
    Summation curve;
    curve.Setup(800, 4.0, 0.9);
    curve.SetOrigin(4000.0 - 2.0);
    curve.Add(100.0, 4000.0);
    const std::vector<std::string> lines =
        SplitLines(writer.SummationBlock({curve.Samples(), curve.Range()}));
    ASSERT_EQ(lines.size(), curve.Count() + 3);
    for (size_t j = 0; j < curve.Count(); ++j) {
        const std::string& row = lines[j + 2];
        const double position = curve.Origin() + static_cast<double>(j) * curve.UnitsPerSample();
        EXPECT_NEAR(std::stod(row.substr(0, row.find('\t'))), position, 0.0011) << row;
    }
    EXPECT_EQ(lines[2], "3998.000\t0.001");
    EXPECT_EQ(lines[202], "4000.000\t100.001");
    EXPECT_EQ(lines[401], "4001.990\t0.001");
    tables.SetDecimals(4);
    EXPECT_EQ(SplitLines(writer.SummationBlock({curve.Samples(), curve.Range()}))[2],
              "399.8000\t0.001");
}

// Only numbers from 0 to 10 are ranges, and the refusal says so; the window is r Å wide.
TEST(ExportWriterRangeTest, OnlyNumbersFromZeroToTenAreRanges)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"2", 2.0}, {"10.", 10.0}, {"0.50", 0.5}, {"", 0.0},   {"abc", {}},   {"11", {}},
        {"-1", {}}, {"nan", {}},   {"inf", {}},   {"1e1", {}}, {"10.001", {}}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ExportWriter::ParseRange(text), value) << text;
    }
    EXPECT_EQ(ExportWriter::RangeError(), "Value must lie with the range 0 to 10.");
    EXPECT_EQ(ExportWriter::Window(4000000, 1.0), std::make_pair(3999500, 4000500));
    EXPECT_EQ(ExportWriter::Window(4000000, 0.0015), std::make_pair(3999999, 4000000));
}

TEST_F(ExportWriterTest, WriteReplacesTheFileWithTheComposedText)
{
    ThreeSources();
    FillCompletely(tables);
    folder.WriteText("out.txt", "old content that is longer than nothing");
    std::string error;
    ASSERT_TRUE(
        writer.Write(folder.File("out.txt"), kSummationOnly, 1.0, {{0.5, 2.0}, 4.0}, &error))
        << error;
    EXPECT_EQ(folder.ReadText("out.txt"),
              "Summation data\nWavelength\tIntensity\n3998.000\t0.5\n4000.000\t2\n\n");
}

// Nothing is written and an existing file stays as it was; the reason is given. A file size
// limit makes the write fail midway even for root, whom permissions do not stop.
TEST_F(ExportWriterTest, FailedWritesKeepTheOldFile)
{
    ThreeSources();
    folder.WriteText("plain.txt", "kept");
    fs::create_directory(folder.File("folder.txt"));
    const std::string refused[] = {"", folder.Path() + "/", folder.File("missing/out.txt"),
                                   folder.File("plain.txt/out.txt"), folder.File("folder.txt")};
    for (const std::string& path : refused) {
        std::string error;
        EXPECT_FALSE(writer.Write(path, kBoth, 1.0, {}, &error)) << path;
        EXPECT_FALSE(error.empty()) << path;
    }
    EXPECT_FALSE(fs::exists(folder.File("missing")));
    EXPECT_TRUE(fs::is_directory(folder.File("folder.txt")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 8)
        << "no temporary file left beside the test's own eight";
    std::string error;
    {
        const FileSizeLimit limit(8);
        if (!limit.Active()) {
            GTEST_SKIP() << "the file size limit cannot be lowered";
        }
        EXPECT_FALSE(writer.Write(folder.File("plain.txt"), kBoth, 1.0, {}, &error));
    }
    EXPECT_NE(error.find("plain.txt"), std::string::npos) << error;
    EXPECT_EQ(folder.ReadText("plain.txt"), "kept");
}

class ExportWriteFault : public ExportWriterTest,
                         public testing::WithParamInterface<FileFaults::Step> {};

// Whichever step of the replacement fails, the old export stays byte for byte and the reason is
// given, for the caller to show.
TEST_P(ExportWriteFault, KeepsTheOldFileAndSaysWhy)
{
    ThreeSources();
    FillCompletely(tables);
    folder.WriteText("out.txt", "old\texport\r\n");
    std::string error;
    {
        const FileFaultScope fault(GetParam(), ENOSPC, "/out.txt");
        EXPECT_FALSE(writer.Write(folder.File("out.txt"), kBoth, 1.0, {}, &error));
        EXPECT_EQ(fault.Hits(), 1);
    }
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_EQ(folder.ReadText("out.txt"), "old\texport\r\n");
}

INSTANTIATE_TEST_SUITE_P(EachStep, ExportWriteFault,
                         testing::Values(FileFaults::Step::Create, FileFaults::Step::Write,
                                         FileFaults::Step::Chmod, FileFaults::Step::Sync,
                                         FileFaults::Step::Rename));

// An export killed at any moment leaves the old file or the whole new one.
TEST_F(ExportWriterTest, KilledExportLeavesTheOldOrTheNewFile)
{
    ThreeSources();
    FillCompletely(tables);
    ExportWriter::Curve curve;
    for (int i = 0; i < 50000; ++i) {
        curve.samples.push_back(i * 0.25);
    }
    curve.range = 4.0;
    const std::string expected = writer.Compose(kBoth, 1.0, curve);
    const std::string path = folder.File("out.txt");
    EXPECT_EQ(KillDuringSave(path, "old export\n", expected,
                             [&] { writer.Write(path, kBoth, 1.0, curve, nullptr); }),
              "");
}
