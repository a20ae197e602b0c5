#include "ImportTestSupport.h"
#include "support/FileSizeLimit.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace {

namespace fs = std::filesystem;

// A failed import must leave the installation exactly as it was.
struct FailureCase {
    const char* name;
    // After "--into DIR --table new" unless they name their own; "@x" is input file x, "#x"
    // file x of the installation and "#" the installation itself.
    std::vector<std::string> arguments;
    const char* message = "";                        // a part of the error saying what is wrong
    std::map<std::string, std::string> inputs = {};  // written beside good.csv
    // Files of the installation changed first: kFolder makes a folder, kGone removes.
    std::map<std::string, std::string> installation = {};
};

const std::string kFolder = "<folder>", kGone = "<gone>";

class ImportFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(ImportFailureTest, LeavesTheInstallationUntouched)
{
    const FailureCase& c = GetParam();
    TempInstallation dir;
    TempInstallation in;
    dir.WriteText("REFERENC", "Old reference\r\n");
    dir.WriteText("old.swt", std::string(18, '\x01'));
    in.WriteText("good.csv", "wavelength,element,ion,description,reference\n5000,Fe,I,new,new\n");
    for (const auto& [name, text] : c.inputs) {
        in.WriteText(name, text);
    }
    for (const auto& [name, text] : c.installation) {
        fs::remove(dir.File(name));
        if (text == kFolder) {
            fs::create_directory(dir.File(name));
        } else if (text != kGone) {
            dir.WriteText(name, text);
        }
    }
    std::vector<std::string> arguments;
    if (c.arguments.front() != "--into") {
        arguments = {"--into", dir.Path(), "--table", "new"};
    }
    for (const std::string& argument : c.arguments) {
        const std::string rest = argument.substr(1);
        arguments.push_back(argument[0] == '@'   ? in.File(rest)
                            : argument == "#"    ? dir.Path()
                            : argument[0] == '#' ? dir.File(rest)
                                                 : argument);
    }
    const auto before = dir.Snapshot();

    const ImportRun run = RunImport(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    // Also shows that a folder named by --into that does not exist is not created.
    EXPECT_EQ(dir.Snapshot(), before) << run.err;
}

// clang-format off
// Which arguments are bad is tested with ImportCommandLine::Parse; one shows the wiring.
const FailureCase kFailures[] = {
    {"UnknownOption", {"--colour", "@good.csv"}},
    {"MissingInputFile", {"@good.csv", "@missing.ascii"}},
    {"InputIsAFolder", {"@good.csv", "@"}},
    {"SameInputTwice", {"@good.csv", "@./good.csv"}, "good.csv is the same file as"},
    {"UnreadableElements", {"@good.csv"}, "Cannot read", {}, {{"ELEMENTS", kFolder}}},
    {"MissingElements", {"@good.csv"}, "lists no elements", {}, {{"ELEMENTS", kGone}}},
    {"ElementsWithoutElements", {"@good.csv"}, "lists no elements", {},
     {{"ELEMENTS", "not an element line\n"}}},
    {"TableNameIsAFolder", {"@good.csv"}, "is not a file", {}, {{"new.swt", kFolder}}},
    {"UnreadableDescriptions", {"@good.csv"}, "", {}, {{"DESCRIPT", kFolder}}},
    {"NonexistentFolder", {"--into", "#nowhere", "--table", "new", "@good.csv"}},
    {"GarbageNistAfterAGoodFile", {"--format", "nist", "@good.csv", "@garbage.txt"}, "",
     {{"garbage.txt", "\x7f" "ELF\x01\x02 nothing a line list has\n\n"}}},
    {"NistTableWithoutSpectrum", {"@lines.txt"}, "--spectrum",
     {{"lines.txt", " Observed | Rel. |\n   5000.0 |  10  |\n"}}},
    {"NistExportWithoutSpectrum", {"@lines.csv"}, "--spectrum",
     {{"lines.csv", "obs_wl_air(A),intens\n5000.0,10\n"}}},
    {"SpectrumNotInElements", {"--spectrum", "Xx II", "@good.csv"}},
    {"EmptyCsv", {"--format", "csv", "@empty"}, "", {{"empty", ""}}},
    {"EmptyNist", {"--format", "nist", "@empty"}, "", {{"empty", "\n# only a comment\n"}}},
    {"EmptyXml", {"--format", "xml", "@empty"}, "", {{"empty", ""}}},
    {"CsvWithoutWavelengthColumn", {"@list.csv"}, "", {{"list.csv", "element,ion\nFe,I\n"}}},
    {"CsvReadAsXml", {"--format", "xml", "@good.csv"}},
    {"XmlDamagedInside", {"@good.csv", "@lines.xml"}, "lines.xml (xml): line 3",
     {{"lines.xml", "<list>\n<spectrum id=\"e26\">\n<peak yValue=\"5000\"></spectrum>\n"
                    "<spectrum id=\"e11\"><peak yValue=\"6000\"/></spectrum></list>\n"}}},
    // An import that keeps no line must not replace a table with an empty one.
    {"NoLineKeptFromCsv", {"--into", "#", "--table", "old", "@list.csv"}, "nothing was written",
     {{"list.csv", "wavelength,element\n5000,Xx\n-1,Fe\nabc,Fe\n"}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, ImportFailureTest, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportFailureTest, TableWriteFailureLeavesTheInstallationUntouched)
{
    TempInstallation dir;
    TempFolder in;
    dir.WriteText("REFERENC", "Old reference\n");
    dir.WriteText("new.swt", std::string(18, '\x01'));
    // New texts for DESCRIPT and REFERENC, which stay small, and a table far over the limit.
    std::string list = "wavelength,element,description,reference\n";
    for (int i = 0; i < 1000; ++i) {
        list += std::to_string(3000 + i) + ",Fe,new flag,new reference\n";
    }
    in.WriteText("long.csv", list);
    const auto before = dir.Snapshot();
    ImportRun run;
    {
        const FileSizeLimit limit(1024);
        if (!limit.Active()) {
            GTEST_SKIP() << "cannot limit the file size";
        }
        run = RunImport({"--into", dir.Path(), "--table", "new", in.File("long.csv")});
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("new.swt"), std::string::npos) << run.err;
    EXPECT_EQ(dir.Snapshot(), before) << run.err;
}

}  // namespace
