#include "ImportTestSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// A failed import must leave the installation exactly as it was.
struct FailureCase {
    const char* name;
    // Prepares `dir` and `inputs` and returns the arguments of the run.
    std::function<std::vector<std::string>(const TempInstallation& dir,
                                           const TempInstallation& inputs)>
        setUp;
};

std::vector<std::string> Args(const TempInstallation& dir, std::vector<std::string> rest)
{
    std::vector<std::string> arguments = {"--into", dir.Path(), "--table", "new"};
    arguments.insert(arguments.end(), rest.begin(), rest.end());
    return arguments;
}

class ImportFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(ImportFailureTest, LeavesTheInstallationUntouched)
{
    TempInstallation dir;
    TempInstallation inputs;
    dir.WriteText("REFERENC", "Old reference\r\n");
    dir.WriteText("old.swt", std::string(18, '\x01'));
    inputs.WriteText("good.csv", "wavelength,element,ion,description,reference\n5000,Fe,I,new,new\n");
    const std::vector<std::string> arguments = GetParam().setUp(dir, inputs);
    const auto before = dir.Snapshot();

    const ImportRun run = RunImport(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err, "");
    EXPECT_EQ(dir.Snapshot(), before) << run.err;
}

const FailureCase kFailures[] = {
    {"UnknownOptionValue",
     [](const auto& dir, const auto& in) {
         return Args(dir, {"--medium", "water", in.File("good.csv")});
     }},
    {"UnknownOption",
     [](const auto& dir, const auto& in) {
         return Args(dir, {"--colour", in.File("good.csv")});
     }},
    {"MissingInputFile",
     [](const auto& dir, const auto& in) {
         return Args(dir, {in.File("good.csv"), in.File("missing.ascii")});
     }},
    {"InputIsAFolder",
     [](const auto& dir, const auto& in) {
         return Args(dir, {in.File("good.csv"), in.Path()});
     }},
    {"UnreadableElements",
     [](const auto& dir, const auto& in) {
         fs::remove(dir.File("ELEMENTS"));
         fs::create_directory(dir.File("ELEMENTS"));
         return Args(dir, {in.File("good.csv")});
     }},
    {"MissingElements",
     [](const auto& dir, const auto& in) {
         fs::remove(dir.File("ELEMENTS"));
         return Args(dir, {in.File("good.csv")});
     }},
    {"ElementsWithoutElements",
     [](const auto& dir, const auto& in) {
         dir.WriteText("ELEMENTS", "not an element line\n");
         return Args(dir, {in.File("good.csv")});
     }},
    {"UnreadableDescriptions",
     [](const auto& dir, const auto& in) {
         fs::remove(dir.File("DESCRIPT"));
         fs::create_directory(dir.File("DESCRIPT"));
         return Args(dir, {in.File("good.csv")});
     }},
    {"NonexistentFolder",
     [](const auto& dir, const auto& in) {
         return std::vector<std::string>{"--into", dir.File("nowhere"), "--table", "new",
                                         in.File("good.csv")};
     }},
    {"GarbageNistAfterAGoodFile",
     [](const auto& dir, const auto& in) {
         in.WriteText("garbage.txt",
                  "\x7f"
                  "ELF\x01\x02 nothing a line list has\n\n");
         return Args(dir, {"--format", "nist", in.File("good.csv"), in.File("garbage.txt")});
     }},
    {"NistTableWithoutSpectrum",
     [](const auto& dir, const auto& in) {
         in.WriteText("lines.txt", " Observed | Rel. |\n   5000.0 |  10  |\n");
         return Args(dir, {in.File("lines.txt")});
     }},
    {"SpectrumNotInElements",
     [](const auto& dir, const auto& in) {
         return Args(dir, {"--spectrum", "Xx II", in.File("good.csv")});
     }},
    {"EmptyCsv",
     [](const auto& dir, const auto& in) {
         in.WriteText("empty", "");
         return Args(dir, {"--format", "csv", in.File("empty")});
     }},
    {"EmptyNist",
     [](const auto& dir, const auto& in) {
         in.WriteText("empty", "\n# only a comment\n");
         return Args(dir, {"--format", "nist", in.File("empty")});
     }},
    {"EmptyXml",
     [](const auto& dir, const auto& in) {
         in.WriteText("empty", "");
         return Args(dir, {"--format", "xml", in.File("empty")});
     }},
    {"CsvWithoutWavelengthColumn",
     [](const auto& dir, const auto& in) {
         in.WriteText("list.csv", "element,ion\nFe,I\n");
         return Args(dir, {in.File("list.csv")});
     }},
    {"CsvReadAsXml",
     [](const auto& dir, const auto& in) {
         return Args(dir, {"--format", "xml", in.File("good.csv")});
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, ImportFailureTest, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImportFailureTest, NonexistentFolderIsNotCreated)
{
    TempInstallation inputs;
    inputs.WriteText("good.csv", "wavelength,element\n5000,Fe\n");
    const std::string missing = inputs.File("nowhere");
    EXPECT_EQ(RunImport({"--into", missing, "--table", "t", inputs.File("good.csv")}).status, 2);
    EXPECT_FALSE(fs::exists(missing));
}

TEST(ImportFailureTest, SuccessfulImportWritesLfAndKeepsOldLines)
{
    TempInstallation dir;
    dir.WriteText("REFERENC", "Old reference\r\nOther\r\n");
    dir.WriteText("list.csv", "wavelength,element,reference\n5000,Fe,Other\n5001,Fe,Newer\n");
    ASSERT_EQ(RunImport({"--into", dir.Path(), "--table", "t", dir.File("list.csv")}).status, 0);
    EXPECT_EQ(dir.ReadText("REFERENC"), "Old reference\nOther\nNewer\n");
    const std::vector<LineRecord> table = dir.Table("t.swt");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].referenceCode, 2);
    EXPECT_EQ(table[1].referenceCode, 3);
}

}  // namespace
