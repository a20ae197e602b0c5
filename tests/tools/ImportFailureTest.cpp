#include "ImportTestSupport.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

// A failed import must leave the installation exactly as it was.
struct FailureCase {
    const char* name;
    // Prepares `dir` and `inputs` and returns the arguments of the run.
    std::function<std::vector<std::string>(const TempInstallation& dir,
                                           const TempInstallation& inputs)>
        setUp;
    const char* message = "";  // a part of the error that says what is wrong
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
    inputs.WriteText("good.csv",
                     "wavelength,element,ion,description,reference\n5000,Fe,I,new,new\n");
    const std::vector<std::string> arguments = GetParam().setUp(dir, inputs);
    const auto before = dir.Snapshot();

    const ImportRun run = RunImport(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err, "");
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
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
     },
     "Cannot read"},
    {"MissingElements",
     [](const auto& dir, const auto& in) {
         fs::remove(dir.File("ELEMENTS"));
         return Args(dir, {in.File("good.csv")});
     },
     "lists no elements"},
    {"ElementsWithoutElements",
     [](const auto& dir, const auto& in) {
         dir.WriteText("ELEMENTS", "not an element line\n");
         return Args(dir, {in.File("good.csv")});
     },
     "lists no elements"},
    {"TableNameIsAFolder",
     [](const auto& dir, const auto& in) {
         fs::create_directory(dir.File("new.swt"));
         return Args(dir, {in.File("good.csv")});
     },
     "is not a file"},
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
     },
     "--spectrum"},
    {"NistExportWithoutSpectrum",
     [](const auto& dir, const auto& in) {
         in.WriteText("lines.csv", "obs_wl_air(A),intens\n5000.0,10\n");
         return Args(dir, {in.File("lines.csv")});
     },
     "--spectrum"},
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
    {"XmlDamagedInside",
     [](const auto& dir, const auto& in) {
         in.WriteText("lines.xml",
                      "<list>\n<spectrum id=\"e26\">\n<peak yValue=\"5000\"></spectrum>\n"
                      "<spectrum id=\"e11\"><peak yValue=\"6000\"/></spectrum></list>\n");
         return Args(dir, {in.File("good.csv"), in.File("lines.xml")});
     },
     "lines.xml (xml): line 3"},
    // An import that keeps no line must not replace a table with an empty one.
    {"NoLineKeptFromCsv",
     [](const auto& dir, const auto& in) {
         in.WriteText("list.csv", "wavelength,element\n5000,Xx\n-1,Fe\nabc,Fe\n");
         return std::vector<std::string>{"--into", dir.Path(), "--table", "old",
                                         in.File("list.csv")};
     },
     "no line"},
    {"NoLineKeptFromNist",
     [](const auto& dir, const auto& in) {
         in.WriteText("FeI.txt", " Observed | Rel. |\n   abc    |  10  |\n   5000.0\n");
         return Args(dir, {in.File("FeI.txt")});
     },
     "nothing was written"},
    {"NoLineKeptFromXml",
     [](const auto& dir, const auto& in) {
         in.WriteText("lines.xml", "<spectrum id=\"e999\"><peak yValue=\"5000\"/></spectrum>");
         return Args(dir, {in.File("lines.xml")});
     },
     "no line"},
    {"NoFileKeepsALine",
     [](const auto& dir, const auto& in) {
         in.WriteText("a.csv", "wavelength,element\n");
         in.WriteText("b.csv", "wavelength,element\n5000,Xx\n");
         return Args(dir, {in.File("a.csv"), in.File("b.csv")});
     },
     "no line"},
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

// Until destroyed, files this process writes may not grow past `bytes`; a write beyond that
// fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = std::min(bytes, m_old.rlim_max);
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool Active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_active = false;
};

TEST(ImportFailureTest, TableWriteFailureLeavesTheInstallationUntouched)
{
    TempInstallation dir;
    TempInstallation inputs;
    dir.WriteText("REFERENC", "Old reference\n");
    dir.WriteText("new.swt", std::string(18, '\x01'));
    // New texts for DESCRIPT and REFERENC, which stay small, and a table far over the limit.
    std::string list = "wavelength,element,description,reference\n";
    for (int i = 0; i < 1000; ++i) {
        list += std::to_string(3000 + i) + ",Fe,new flag,new reference\n";
    }
    inputs.WriteText("long.csv", list);
    const auto before = dir.Snapshot();

    ImportRun run;
    {
        const FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.Active());
        run = RunImport({"--into", dir.Path(), "--table", "new", inputs.File("long.csv")});
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("new.swt"), std::string::npos) << run.err;
    EXPECT_EQ(dir.Snapshot(), before) << run.err;
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
