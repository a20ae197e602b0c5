#include "app/ProgramOptions.h"

#include <gtest/gtest.h>

namespace {

using Files = std::vector<ProgramOptions::FileToLoad>;
using Words = std::vector<std::string>;

ProgramOptions::FileToLoad E(const char* name)
{
    return {ProgramOptions::FileKind::ElementFile, name};
}

ProgramOptions::FileToLoad O(const char* name)
{
    return {ProgramOptions::FileKind::Overlay, name};
}

struct OptionCase {
    const char* name;
    Words arguments;
    Files files = {};
    Words messages = {};
    bool unregister = false;
    std::string commandFile = {};
    bool batch = false;
};

class OptionParsing : public testing::TestWithParam<OptionCase> {};

TEST_P(OptionParsing, GivesTheFilesAndMessagesExpected)
{
    const OptionCase& c = GetParam();
    const ProgramOptions options = ProgramOptions::Parse(c.arguments);
    EXPECT_EQ(options.files, c.files);
    EXPECT_EQ(options.messages, c.messages);
    EXPECT_EQ(options.unregister, c.unregister);
    EXPECT_EQ(options.commandFile, c.commandFile);
    EXPECT_EQ(options.batch, c.batch);
    EXPECT_FALSE(options.showHelp);
}

const char* const kMissingBatch = "missing file name after --batch";

const OptionCase kOptionCases[] = {
    {"Nothing", {}},
    {"UnregisterShortenedToTwoLetters", {"-UN"}, {}, {}, true},
    {"UnregisterLongForm", {"--unregister"}, {}, {}, true},
    {"UnregisterStopsTheRest", {"-unreg", "-e", "a.sef", "b.sef"}, {}, {}, true},
    {"SingleUIsNoUnregister", {"-u"}, {}, {"unknown option -u"}},
    {"LoneDashIsIgnored", {"-"}},
    {"EmptyArgumentIsIgnored", {"", "a.sef"}, {E("a.sef")}},
    {"SlashStartsAPathNotAnOption", {"/", "/home/me/lines.txt"}, {O("/"), O("/home/me/lines.txt")}},
    {"ResetAndItsLeadingParts", {"-reset", "-R", "-res", "--reset"}},
    {"ResetWithMoreLettersIsUnknown", {"-resets"}, {}, {"unknown option -resets"}},
    {"ElementFileAsNextArgument", {"-e", "mine.sef"}, {E("mine.sef")}},
    {"ElementFileUpperCaseOption", {"-E", "My Lines.SEF"}, {E("My Lines.SEF")}},
    {"ValueAfterColonOrEquals", {"-e:a.sef", "-o=b.txt"}, {E("a.sef"), O("b.txt")}},
    {"ElementOptionTakesAnyExtension", {"-e", "sel.txt"}, {E("sel.txt")}},
    {"OverlayOption", {"-o", "peaks.sef"}, {O("peaks.sef")}},
    {"MissingNameAtTheEnd", {"-e"}, {}, {"missing file name after -e"}},
    {"MissingNameBeforeAnotherOption",
     {"-o", "-e", "a.sef"},
     {E("a.sef")},
     {"missing file name after -o"}},
    {"EmptyValue", {"-e="}, {}, {"missing file name after -e"}},
    {"LongerWordsAreNotE", {"-elements", "a.sef"}, {E("a.sef")}, {"unknown option -elements"}},
    {"FilesByExtension",
     {"a.sef", "b.SEF", "c.txt", "noextension"},
     {E("a.sef"), E("b.SEF"), O("c.txt"), O("noextension")}},
    {"DotInAFolderIsNoExtension", {"my.sef/lines"}, {O("my.sef/lines")}},
    {"TableAloneIsExplained",
     {"Fe.swt"},
     {},
     {"Fe.swt: wavelength tables are read from the installation folder, the folder Spekla starts "
      "in; copy the table there to use it."}},
    {"DoubleDashEndsOptions", {"--", "-e", "-un"}, {O("-e"), O("-un")}},
    {"UnknownLongOption", {"--frobnicate"}, {}, {"unknown option --frobnicate"}},
    {"Run", {"--run", "go.txt"}, {}, {}, false, "go.txt"},
    {"RunWithEquals", {"--run=go.txt"}, {}, {}, false, "go.txt"},
    {"Batch", {"-e", "a.sef", "--batch", "go.txt"}, {E("a.sef")}, {}, false, "go.txt", true},
    {"BatchWithoutFile", {"--batch"}, {}, {kMissingBatch}, false, "", true},
    {"BatchBeforeAnOption",
     {"--batch", "-e", "a.sef"},
     {E("a.sef")},
     {kMissingBatch},
     false,
     "",
     true},
};

INSTANTIATE_TEST_SUITE_P(Arguments, OptionParsing, testing::ValuesIn(kOptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramOptions, HelpAndVersionAsLinuxProgramsTakeThem)
{
    for (const Words& arguments : {Words{"--help"}, Words{"-h"}, Words{"-help"}}) {
        EXPECT_TRUE(ProgramOptions::Parse(arguments).showHelp) << arguments[0];
    }
    EXPECT_TRUE(ProgramOptions::Parse({"--version"}).showVersion);
    EXPECT_NE(ProgramOptions::HelpText().find("--batch FILE"), std::string::npos);
}

}  // namespace
