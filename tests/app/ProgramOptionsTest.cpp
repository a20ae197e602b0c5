#include "app/ProgramOptions.h"

#include <gtest/gtest.h>

namespace {

using Kind = ProgramOptions::FileKind;
using Files = std::vector<ProgramOptions::FileToLoad>;
using Words = std::vector<std::string>;

struct OptionCase {
    const char* name;
    Words arguments;
    bool unregister = false;
    Files files = {};
    Words messages = {};
};

class OptionParsing : public testing::TestWithParam<OptionCase> {};

TEST_P(OptionParsing, GivesTheFilesAndMessagesExpected)
{
    const OptionCase& c = GetParam();
    const ProgramOptions options = ProgramOptions::Parse(c.arguments);
    EXPECT_EQ(options.unregister, c.unregister);
    EXPECT_EQ(options.files, c.files);
    EXPECT_EQ(options.messages, c.messages);
    EXPECT_FALSE(options.showHelp);
    EXPECT_TRUE(options.commandFile.empty());
}

const OptionCase kOptionCases[] = {
    {"Nothing", {}},
    {"UnregisterInFull", {"-unregister"}, true},
    {"UnregisterShortenedToTwoLetters", {"-UN"}, true},
    {"UnregisterLongForm", {"--unregister"}, true},
    {"UnregisterStopsTheRest", {"-unreg", "-e", "a.sef", "b.sef"}, true},
    {"SingleUIsNoUnregister", {"-u"}, false, {}, {"unknown option -u"}},
    {"LoneDashIsIgnored", {"-"}},
    {"EmptyArgumentIsIgnored", {"", "a.sef"}, false, {{Kind::ElementFile, "a.sef"}}},
    {"SlashStartsAPathNotAnOption",
     {"/", "/home/me/lines.txt"},
     false,
     {{Kind::Overlay, "/"}, {Kind::Overlay, "/home/me/lines.txt"}}},
    {"ResetAndItsLeadingParts", {"-reset", "-R", "-res", "--reset"}},
    {"ResetWithMoreLettersIsUnknown", {"-resets"}, false, {}, {"unknown option -resets"}},
    {"ElementFileAsNextArgument", {"-e", "mine.sef"}, false, {{Kind::ElementFile, "mine.sef"}}},
    {"ElementFileUpperCaseOption",
     {"-E", "My Lines.SEF"},
     false,
     {{Kind::ElementFile, "My Lines.SEF"}}},
    {"ValueAfterColonOrEquals",
     {"-e:a.sef", "-o=b.txt"},
     false,
     {{Kind::ElementFile, "a.sef"}, {Kind::Overlay, "b.txt"}}},
    {"ElementOptionTakesAnyExtension", {"-e", "sel.txt"}, false, {{Kind::ElementFile, "sel.txt"}}},
    {"OverlayOption", {"-o", "peaks.sef"}, false, {{Kind::Overlay, "peaks.sef"}}},
    {"MissingNameAtTheEnd", {"-e"}, false, {}, {"missing file name after -e"}},
    {"MissingNameBeforeAnotherOption",
     {"-o", "-e", "a.sef"},
     false,
     {{Kind::ElementFile, "a.sef"}},
     {"missing file name after -o"}},
    {"EmptyValue", {"-e="}, false, {}, {"missing file name after -e"}},
    {"LongerWordsAreNotE",
     {"-elements", "a.sef"},
     false,
     {{Kind::ElementFile, "a.sef"}},
     {"unknown option -elements"}},
    {"FilesByExtension",
     {"a.sef", "b.SEF", "c.txt", "d.dat", "e.csv", "noextension"},
     false,
     {{Kind::ElementFile, "a.sef"},
      {Kind::ElementFile, "b.SEF"},
      {Kind::Overlay, "c.txt"},
      {Kind::Overlay, "d.dat"},
      {Kind::Overlay, "e.csv"},
      {Kind::Overlay, "noextension"}}},
    {"DotInAFolderIsNoExtension", {"my.sef/lines"}, false, {{Kind::Overlay, "my.sef/lines"}}},
    {"TableAloneIsExplained",
     {"Fe.swt"},
     false,
     {},
     {"Fe.swt: wavelength tables are read from the installation folder, the folder Spekla starts "
      "in; copy the table there to use it."}},
    {"DoubleDashEndsOptions",
     {"--", "-e", "-un"},
     false,
     {{Kind::Overlay, "-e"}, {Kind::Overlay, "-un"}}},
    {"UnknownLongOption", {"--frobnicate"}, false, {}, {"unknown option --frobnicate"}},
};

INSTANTIATE_TEST_SUITE_P(Arguments, OptionParsing, testing::ValuesIn(kOptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct CommandFileCase {
    const char* name;
    Words arguments;
    std::string commandFile;
    bool batch;
    Words messages = {};
};

class CommandFileOptions : public testing::TestWithParam<CommandFileCase> {};

TEST_P(CommandFileOptions, NameTheFileAndTheMode)
{
    const CommandFileCase& c = GetParam();
    const ProgramOptions options = ProgramOptions::Parse(c.arguments);
    EXPECT_EQ(options.commandFile, c.commandFile);
    EXPECT_EQ(options.batch, c.batch);
    EXPECT_EQ(options.messages, c.messages);
}

const CommandFileCase kCommandFileCases[] = {
    {"Run", {"--run", "go.txt"}, "go.txt", false},
    {"RunWithEquals", {"--run=go.txt"}, "go.txt", false},
    {"Batch", {"-e", "a.sef", "--batch", "go.txt"}, "go.txt", true},
    {"BatchWithoutFile", {"--batch"}, "", true, {"missing file name after --batch"}},
    {"BatchBeforeAnOption",
     {"--batch", "-e", "a.sef"},
     "",
     true,
     {"missing file name after --batch"}},
};

INSTANTIATE_TEST_SUITE_P(Arguments, CommandFileOptions, testing::ValuesIn(kCommandFileCases),
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
