#include "ImportTestSupport.h"
#include "support/FileFaultScope.h"
#include "tools/TableImport.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr const char* kOldTable = "\x01\x02\x03\x04\x05\x06\x07\x08\x09";
constexpr const char* kOldReferences = "Old reference\n";

// An installation with a table "t" and a REFERENC, and a list that adds a line to the table
// and a text to each of DESCRIPT and REFERENC, so that all three files are replaced.
struct SaveSetUp {
    TempInstallation dir;
    TempInstallation inputs;

    SaveSetUp()
    {
        dir.WriteText("REFERENC", kOldReferences);
        dir.WriteText("t.swt", kOldTable);
        inputs.WriteText("list.csv",
                         "wavelength,element,ion,description,reference\n"
                         "5000,Fe,I,a new description,a new reference\n");
    }

    ImportRun Run() const
    {
        return RunImport({"--into", dir.Path(), "--table", "t", inputs.File("list.csv")});
    }
};

struct StepFault {
    FileFaults::Step step;
    const char* file;  // the file whose replacement fails
};

const char* const kStepNames[] = {"Create", "Write", "Chmod", "Sync", "Rename"};

class ImportSaveFaultTest : public testing::TestWithParam<StepFault> {};

// Any failure before the first rename leaves every file as it was, temporary files included.
TEST_P(ImportSaveFaultTest, LeavesTheOldFilesAndSaysSo)
{
    SaveSetUp setUp;
    const auto before = setUp.dir.Snapshot();
    ImportRun run;
    {
        const FileFaultScope fault(GetParam().step, EIO, GetParam().file);
        run = setUp.Run();
        EXPECT_EQ(fault.Hits(), 1);
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(GetParam().file), std::string::npos) << run.err;
    EXPECT_EQ(setUp.dir.Snapshot(), before) << run.err;
}

std::vector<StepFault> EveryFailureBeforeTheRenames()
{
    std::vector<StepFault> faults;
    for (const auto step : {FileFaults::Step::Create, FileFaults::Step::Write,
                            FileFaults::Step::Chmod, FileFaults::Step::Sync}) {
        for (const char* file : {"DESCRIPT", "REFERENC", "t.swt"}) {
            faults.push_back({step, file});
        }
    }
    faults.push_back({FileFaults::Step::Rename, "DESCRIPT"});  // the first rename
    return faults;
}

INSTANTIATE_TEST_SUITE_P(Steps, ImportSaveFaultTest,
                         testing::ValuesIn(EveryFailureBeforeTheRenames()), [](const auto& info) {
                             std::string file = info.param.file;
                             file.erase(std::remove(file.begin(), file.end(), '.'), file.end());
                             return kStepNames[static_cast<int>(info.param.step)] + file;
                         });

// A rename that fails after DESCRIPT (and REFERENC) went in cannot leave everything as it was:
// the table stays old, the text files only gained lines, and the message says which is which.
struct LateRename {
    const char* file;
    const char* message;
    bool referencesReplaced;
};

class ImportLateRenameTest : public testing::TestWithParam<LateRename> {};

TEST_P(ImportLateRenameTest, SaysWhatTheFolderHolds)
{
    SaveSetUp setUp;
    const std::string oldDescriptions = setUp.dir.ReadText("DESCRIPT");
    ImportRun run;
    {
        const FileFaultScope fault(FileFaults::Step::Rename, EIO, GetParam().file);
        run = setUp.Run();
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Cannot replace"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(setUp.dir.ReadText("t.swt"), kOldTable);
    EXPECT_EQ(setUp.dir.ReadText("DESCRIPT"), oldDescriptions + "a new description\n");
    EXPECT_EQ(setUp.dir.ReadText("REFERENC") != kOldReferences, GetParam().referencesReplaced);
    for (const auto& [name, bytes] : setUp.dir.Snapshot()) {
        EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportLateRenameTest,
    testing::Values(LateRename{"REFERENC",
                               "now holds the new DESCRIPT (1 new text), the old REFERENC and "
                               "the old t.swt",
                               false},
                    LateRename{"t.swt",
                               "now holds the new DESCRIPT (1 new text), the new REFERENC (1 new "
                               "text) and the old t.swt",
                               true}),
    [](const auto& info) { return info.param.referencesReplaced ? "Table" : "References"; });

TEST(ImportSaveTest, RemovesTemporaryFilesOfAKilledImportOnly)
{
    SaveSetUp setUp;
    const std::vector<std::string> leftovers = {"t.swt.tmp-a1B2c3", "other.swt.tmp-XXXXXX",
                                                "DESCRIPT.tmp-000000", "REFERENC.tmp-zzzzzz"};
    // Not of the file replacement's making, or not of a file the import writes.
    const std::vector<std::string> others = {"notes.tmp-a1B2c3", "t.swt.tmp-short",
                                             "t.swt.tmp-a1B2c3.bak", "ELEMENTS.tmp-a1B2c3"};
    for (const auto& name : leftovers) {
        setUp.dir.WriteText(name, "half written");
    }
    for (const auto& name : others) {
        setUp.dir.WriteText(name, "someone's file");
    }
    const ImportRun run = setUp.Run();
    ASSERT_EQ(run.status, 0) << run.err;
    for (const auto& name : leftovers) {
        EXPECT_FALSE(fs::exists(setUp.dir.File(name))) << name;
    }
    for (const auto& name : others) {
        EXPECT_EQ(setUp.dir.ReadText(name), "someone's file") << name;
    }
}

// Output whose first text another thread can see arrive.
struct WatchedOutput : std::stringbuf {
    std::atomic<bool> written = false;
    std::streamsize xsputn(const char* text, std::streamsize size) override
    {
        written = true;
        return std::stringbuf::xsputn(text, size);
    }
};

// Two imports into one folder at once: before its first temporary file the first starts the
// second and waits until that says anything: its summary when it ran through, or that it waits
// for the first. Had both loaded the same DESCRIPT, the later rename would drop the other's texts.
TEST(ImportSaveTest, ImportsAtOnceTakeTurnsAndKeepEveryText)
{
    TempInstallation dir;
    TempFolder in;
    const auto arguments = [&](const std::string& name) {
        in.WriteText(name, "wavelength,element,ion,description,reference\n5000,Fe,I,text " + name +
                               ",source " + name + "\n");
        return std::vector<std::string>{"--into", dir.Path(), "--table", name, in.File(name)};
    };
    WatchedOutput secondOut;
    std::ostream out(&secondOut);
    int second = -1;
    std::atomic<bool> started = false;
    std::thread thread;
    FileFaults::Set([&](FileFaults::Step step, const std::string&) {
        if (step == FileFaults::Step::Create && !started.exchange(true)) {
            thread = std::thread([&] { second = TableImport::Main(arguments("b"), out, out); });
            for (int i = 0; i < 10000 && !secondOut.written; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return 0;
    });
    const ImportRun first = RunImport(arguments("a"));
    thread.join();
    FileFaults::Set({});

    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(second, 0) << secondOut.str();
    EXPECT_NE(secondOut.str().find(": held by spekla-import (pid "), std::string::npos);
    for (const std::string name : {"a", "b"}) {
        const LineRecord line = dir.Table(name + ".swt").at(0);
        EXPECT_EQ(dir.TextLine("DESCRIPT", line.descriptionCode), "text " + name);
        EXPECT_EQ(dir.TextLine("REFERENC", line.referenceCode), "source " + name);
    }
}

}  // namespace
