#include "ImportTestSupport.h"
#include "tools/CellText.h"
#include "tools/CodeTable.h"
#include "tools/ImportCommandLine.h"
#include "tools/IntensityField.h"
#include "tools/SpectrumName.h"
#include "tools/TableImport.h"
#include "tools/WavelengthScale.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(IntensityFieldTest, SplitsNumberFromFlags)
{
    // 250 gives 23.98.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"250bl(Fe II)?*", 24, "bl(Fe II)?*"},
        {"   5h* ", 7, "h*"},
        {"1800", 33, ""},
        {"2.6", 4, ""},
        {"m", 0, "m"},
        {"1-", 0, "-"},
        {"10E", 10, "E"},
        {"0", 0, ""},
        {"", 0, ""},
        {"Ih", 0, "Ih"},
        {"w,bl  (Ne)", 0, "w,bl (Ne)"},
        {"1000000000000000000000000000000", 255, ""}};
    for (const auto& [text, code, flags] : cases) {
        const IntensityField field = IntensityField::Parse(text);
        EXPECT_EQ(std::pair(int{field.code}, field.flags), std::pair(code, std::string(flags)))
            << text;
    }
}

struct StoredCase {
    double value;
    WavelengthUnit unit;
    Medium medium;
    int32_t stored;  // figures worked out separately with Edlén's formula
};

class WavelengthScaleTest : public testing::TestWithParam<StoredCase> {};

TEST_P(WavelengthScaleTest, StoresAirFrom1850AndVacuumBelow)
{
    const StoredCase& c = GetParam();
    EXPECT_EQ(WavelengthScale({c.unit, c.medium}).ToStored(c.value), std::optional(c.stored));
}

using U = WavelengthUnit;
INSTANTIATE_TEST_SUITE_P(
    Values, WavelengthScaleTest,
    testing::Values(StoredCase{5000.0, U::kAngstrom, Medium::kAir, 5000000},
                    StoredCase{500.0, U::kNanometre, Medium::kAir, 5000000},
                    StoredCase{0.5, U::kMicrometre, Medium::kAir, 5000000},
                    StoredCase{5000.0, U::kAngstrom, Medium::kVacuum, 4998606},
                    StoredCase{20000.0, U::kWaveNumber, Medium::kAir, 4998606},
                    StoredCase{3000.9369, U::kAngstrom, Medium::kVacuum, 3000062},
                    StoredCase{1215.67, U::kAngstrom, Medium::kVacuum, 1215670},
                    StoredCase{1990.0, U::kAngstrom, Medium::kNistConvention, 1989354},
                    StoredCase{2500.0, U::kAngstrom, Medium::kNistConvention, 2500000},
                    // Its air value would lie below 1850 Å, so it stays vacuum.
                    StoredCase{1850.3, U::kAngstrom, Medium::kVacuum, 1850300},
                    StoredCase{1850.6719, U::kAngstrom, Medium::kVacuum, 1850045},
                    StoredCase{1800.0, U::kAngstrom, Medium::kAir, 1800000},
                    StoredCase{4861.2786, U::kAngstrom, Medium::kAir, 4861279}));

TEST(WavelengthScaleTest, RejectsWhatIsNoWavelength)
{
    const WavelengthScale scale;
    for (const double value : {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity(),
                               3e6 /* beyond 32 bits in 0.001 Å */}) {
        EXPECT_FALSE(scale.ToStored(value)) << value;
    }
}

TEST(SpectrumNameTest, ParsesSymbolAndStage)
{
    const auto spectrum = [](const char* text) {
        const auto name = SpectrumName::Parse(text);
        return name ? name->symbol + ' ' + std::to_string(name->stage) : std::string("-");
    };
    const std::pair<const char*, const char*> cases[] = {
        {"Fe II", "Fe 2"}, {"  fe   ii ", "fe 2"}, {"Fe 2", "Fe 2"},
        {"Fe", "Fe 0"},    {"U XIX", "U 19"},      {"", "-"},
        {"Fe XX", "-"},    {"Fe 20", "-"},         {"Fe II III", "-"},
        {"12 II", "-"},    {"Fe 0", "-"}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(spectrum(text), expected) << text;
    }
}

TEST(SpectrumNameTest, ReadsNistFileNames)
{
    const auto spectrum = [](const char* path) {
        const auto name = SpectrumName::FromFileName(path);
        return name ? name->symbol + ' ' + std::to_string(name->stage) : std::string("-");
    };
    EXPECT_EQ(spectrum("/data/nist/FeII_vacuum.ascii"), "Fe 2");
    EXPECT_EQ(spectrum("ArI.ascii"), "Ar 1");
    EXPECT_EQ(spectrum("NI.txt"), "N 1");
    EXPECT_EQ(spectrum("NiIII"), "Ni 3");
    EXPECT_EQ(spectrum("HgI-2016.csv"), "Hg 1");
    for (const char* other : {"lines.txt", "FeXXV.txt", "Tin.txt", "fe_ii.txt", "Fe.txt"}) {
        EXPECT_EQ(spectrum(other), "-") << other;
    }
}

TEST(CellTextTest, DelimitedCellsLoseTheirWrapping)
{
    EXPECT_EQ(SplitDelimited(R"(a,"b,c",="L1,L2",="",-,"say ""hi""")", ','),
              (std::vector<std::string>{"a", "b,c", "L1,L2", "", "-", "say \"hi\""}));
    EXPECT_EQ(SplitDelimited(R"("=""1.5""")", ','), std::vector<std::string>{"1.5"});
    EXPECT_EQ(SplitDelimited("x\t\ty,z", '\t'), (std::vector<std::string>{"x", "", "y,z"}));
}

TEST(CellTextTest, PlacesCellsByCharacterNotByte)
{
    // "Å" is two bytes; the '|' after it is still at character 8, as in the data rows.
    const auto cells = SplitPlaced("Air (Å) | x", '|');
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].end, 8u);
    EXPECT_EQ(cells[1].begin, 9u);
}

TEST(CodeTableTest, KeepsOldLinesAndCodesAndAppendsNewTexts)
{
    TempInstallation dir;
    dir.WriteText("REFERENC", "L100\r\n  L200  \r\n\r\nL100\r\nL300");  // CR LF, no final line end
    CodeTable table;
    std::string error;
    ASSERT_TRUE(table.Load(dir.File("REFERENC"), &error));
    // Blanks at the ends ignored, the first of two; a new text asked for twice gets one code.
    EXPECT_EQ((std::vector{table.CodeFor("L200"), table.CodeFor("L100"), table.CodeFor(" "),
                           table.CodeFor("L400"), table.CodeFor("L400")}),
              (std::vector<std::optional<uint8_t>>{2, 1, 0, 6, 6}));
    EXPECT_EQ(table.NewTextCount(), 1u);
    EXPECT_EQ(table.Content(), "L100\n  L200  \n\nL100\nL300\nL400\n");
}

TEST(CodeTableTest, CodesEndAt255)
{
    TempInstallation dir;
    std::string lines;
    for (int i = 1; i <= 300; ++i) {
        lines += "text " + std::to_string(i) + "\n";
    }
    dir.WriteText("DESCRIPT", lines);
    CodeTable table;
    ASSERT_TRUE(table.Load(dir.File("DESCRIPT"), nullptr));
    EXPECT_EQ(table.CodeFor("text 255"), std::optional<uint8_t>(255));
    EXPECT_FALSE(table.CodeFor("text 256"));  // in the file, but beyond a byte
    EXPECT_FALSE(table.CodeFor("new"));
    EXPECT_EQ(table.NewTextCount(), 0u);
}

TEST(CodeTableTest, UnreadableFileIsAnErrorAndMissingFileIsEmpty)
{
    TempInstallation dir;
    std::filesystem::create_directory(dir.File("REFERENC"));
    CodeTable table;
    std::string error;
    EXPECT_FALSE(table.Load(dir.File("REFERENC"), &error));
    EXPECT_NE(error, "");
    ASSERT_TRUE(table.Load(dir.File("NONE"), &error));
    EXPECT_EQ(table.CodeFor("x"), std::optional<uint8_t>(1));
}

TEST(ImportCommandLineTest, ReadsOptionsInBothForms)
{
    ImportOptions options;
    std::string error;
    ASSERT_TRUE(ImportCommandLine::Parse(
        {"--into=/x", "--table", "Lines\xFF\xC3\xA9.SWT", "--unit=cm-1", "--medium", "vacuum",
         "--spectrum", "Fe II", "--stage=III", "a", "--", "--b"},
        options, error))
        << error;
    EXPECT_EQ(options.directory, "/x");
    EXPECT_EQ(options.tableName, "Lines\xFF\xC3\xA9");
    EXPECT_EQ(options.unit, WavelengthUnit::kWaveNumber);
    EXPECT_EQ(options.medium, Medium::kVacuum);
    EXPECT_EQ(options.spectrum->symbol, "Fe");
    EXPECT_EQ(options.stage, 3);
    EXPECT_EQ(options.files, (std::vector<std::string>{"a", "--b"}));
}

TEST(ImportCommandLineTest, RejectsBadUsage)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--into", "/x", "--table", "t"},         // no file
        {"--table", "t", "f"},                    // no folder
        {"--into", "/x", "f"},                    // no table
        {"--into", "/x", "--table", "a/b", "f"},  // not a name
        {"--into", "/x", "--table", "a\nb", "f"},
        {"--into", "/x", "--table", "\x01.swt", "f"},
        {"--into", "/x", "--table", "a\x7F", "f"},
        {"--into", "/x", "--table", "t", "--unit=parsec", "f"},
        {"--into", "/x", "--table", "t", "--format", "pdf", "f"},
        {"--into", "/x", "--table", "t", "--stage=XX", "f"},
        {"--into", "/x", "--table", "t", "--spectrum", "Iron two", "f"},
        {"--into", "/x", "--table", "t", "--colour", "red", "f"},
        {"--into", "/x", "--table", "t", "--medium", "water", "f"},
        {"--into", "/x", "--table", "t", "f", "--medium"}};
    for (const auto& arguments : cases) {
        ImportOptions options;
        std::string error;
        EXPECT_FALSE(ImportCommandLine::Parse(arguments, options, error)) << arguments.back();
        EXPECT_NE(error, "");
    }
}

TEST(ImportCommandLineTest, HelpExplainsEveryOption)
{
    const ImportRun run = RunImport({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--into", "--table", "--format", "--medium", "--unit", "--spectrum",
                               "--stage", "--help"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}

TEST(GuessFormatTest, TellsTheFormatsApart)
{
    EXPECT_EQ((std::vector{TableImport::GuessFormat("\xEF\xBB\xBF <?xml?><spectrum/>"),
                           TableImport::GuessFormat("# c\n#----\n  Observed  |  Ritz  |\n"),
                           TableImport::GuessFormat("element,sp_num,obs_wl_air(nm)\n"),
                           TableImport::GuessFormat("obs_wl_vac(A)\tintens\n"),
                           TableImport::GuessFormat("wavelength,element\n5000,Fe\n")}),
              (std::vector{InputFormat::kXml, InputFormat::kNist, InputFormat::kNist,
                           InputFormat::kNist, InputFormat::kCsv}));
}

}  // namespace
