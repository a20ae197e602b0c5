#include "framework/AtomicFile.h"
#include "framework/FileReplacement.h"
#include "support/FileFaultScope.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

size_t FilesIn(const TempFolder& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder.Path()), {}));
}

}  // namespace

TEST(FileReplacementTest, ReplacesAGroupOnlyOnCommit)
{
    TempFolder folder;
    folder.WriteText("a", "old a");
    {
        FileReplacement replacement;
        ASSERT_TRUE(replacement.Stage(folder.File("a"), "new a", nullptr));
        ASSERT_TRUE(replacement.Stage(folder.File("sub/b"), "new b", nullptr));
        EXPECT_EQ(folder.ReadText("a"), "old a");  // nothing visible before the commit
    }
    // Dropped without a commit: the old file stays and no temporary file is left.
    EXPECT_EQ(folder.ReadText("a"), "old a");
    EXPECT_FALSE(fs::exists(folder.File("sub/b")));
    EXPECT_EQ(FilesIn(folder), 2u);  // "a" and the folder made for "b"

    FileReplacement replacement;
    ASSERT_TRUE(replacement.Stage(folder.File("a"), "new a", nullptr));
    ASSERT_TRUE(replacement.Stage(folder.File("sub/b"), "new b", nullptr));
    std::string error;
    ASSERT_TRUE(replacement.Commit(&error)) << error;
    EXPECT_EQ(folder.ReadText("a"), "new a");
    EXPECT_EQ(folder.ReadText("sub/b"), "new b");
    EXPECT_EQ(FilesIn(folder), 2u);
}

TEST(FileReplacementTest, FailedStageReportsAndLeavesNothing)
{
    TempFolder folder;
    folder.WriteText("blocker", "a file where a folder should be");
    FileReplacement replacement;
    std::string error;
    EXPECT_FALSE(replacement.Stage(folder.File("blocker/x"), "text", &error));
    EXPECT_NE(error.find("blocker/x"), std::string::npos);
    EXPECT_TRUE(replacement.Commit(&error));  // nothing staged, nothing to do
    EXPECT_EQ(FilesIn(folder), 1u);
}

TEST(FileReplacementTest, FollowsASymbolicLinkAndKeepsIt)
{
    TempFolder folder;
    folder.WriteText("real", "old");
    fs::create_symlink(folder.File("real"), folder.File("link"));
    FileReplacement replacement;
    ASSERT_TRUE(replacement.Stage(folder.File("link"), "new", nullptr));
    ASSERT_TRUE(replacement.Commit(nullptr));
    EXPECT_TRUE(fs::is_symlink(folder.File("link")));
    EXPECT_EQ(folder.ReadText("real"), "new");
}

TEST(FileReplacementTest, PermissionsFollowTheOldFileOrTheUmask)
{
    TempFolder folder;
    folder.WriteText("kept", "old");
    fs::permissions(folder.File("kept"), fs::perms(0600));
    const mode_t previous = ::umask(027);
    FileReplacement replacement;
    ASSERT_TRUE(replacement.Stage(folder.File("kept"), "new", nullptr));
    ASSERT_TRUE(replacement.Stage(folder.File("fresh"), "new", nullptr));
    ASSERT_TRUE(replacement.Commit(nullptr));
    ::umask(previous);
    EXPECT_EQ(fs::status(folder.File("kept")).permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(folder.File("fresh")).permissions(), fs::perms(0640));
}

struct FaultCase {
    FileFaults::Step step;
    int error;
};

class FileReplacementFault : public testing::TestWithParam<FaultCase> {};

// Whatever step fails, the old file stays byte for byte, the failure is reported with the file
// and the system's reason, and no temporary file is left beside it.
TEST_P(FileReplacementFault, LeavesTheOldFileAndSaysWhy)
{
    TempFolder folder;
    const std::string old("old\0content\r\n", 13);
    folder.WriteText("settings", old);
    std::string error;
    {
        const FileFaultScope fault(GetParam().step, GetParam().error, "/settings");
        FileReplacement replacement;
        EXPECT_FALSE(replacement.Stage(folder.File("settings"), "new", &error) &&
                     replacement.Commit(&error));
        EXPECT_EQ(fault.Hits(), 1);
    }
    EXPECT_NE(error.find(folder.File("settings")), std::string::npos) << error;
    EXPECT_NE(error.find(std::strerror(GetParam().error)), std::string::npos) << error;
    EXPECT_EQ(folder.ReadText("settings"), old);
    EXPECT_EQ(FilesIn(folder), 1U);
}

INSTANTIATE_TEST_SUITE_P(EachStep, FileReplacementFault,
                         testing::Values(FaultCase{FileFaults::Step::Create, EACCES},
                                         FaultCase{FileFaults::Step::Write, ENOSPC},
                                         FaultCase{FileFaults::Step::Chmod, EPERM},
                                         FaultCase{FileFaults::Step::Sync, EIO},
                                         FaultCase{FileFaults::Step::Rename, EXDEV}));

// A real short write, not an injected one: a file size limit makes the write itself fail.
TEST(FileReplacementTest, WriteCutShortByTheSystemLeavesTheOldFile)
{
    TempFolder folder;
    folder.WriteText("old", "old");
    std::string error;
    {
        const FileSizeLimit limit(1024);
        if (!limit.Active()) {
            GTEST_SKIP() << "cannot lower the file size limit";
        }
        EXPECT_FALSE(WriteFileAtomically(folder.File("old"), std::string(4096, 'x'), &error));
    }
    EXPECT_NE(error.find(folder.File("old")), std::string::npos) << error;
    EXPECT_EQ(folder.ReadText("old"), "old");
    EXPECT_EQ(FilesIn(folder), 1U) << "temporary file left behind";
}

// A FIFO is written through and stays a FIFO; its reader gets the content. With no reader the
// save fails at once instead of waiting. A device is written through; a folder is refused.
TEST(FileReplacementTest, WritesThroughAFifoOrDeviceAndRefusesAFolder)
{
    TempFolder folder;
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(fifo, "unread", &error));
    EXPECT_NE(error.find("no program reads"), std::string::npos) << error;

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(fifo, "lines\n", &error)) << error;
    char got[16] = {};
    EXPECT_EQ(std::string(got, std::max<ssize_t>(::read(reader, got, sizeof got), 0)), "lines\n");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    EXPECT_TRUE(WriteFileAtomically("/dev/null", "nothing", &error)) << error;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    fs::create_directory(folder.File("sub"));
    EXPECT_FALSE(WriteFileAtomically(folder.File("sub"), "text", &error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_EQ(FilesIn(folder), 2U);
}

// A successful save removes what a killed save of the same file left, but not the temporary
// file of a save still running, nor another file's.
TEST(FileReplacementTest, RemovesLeftoversOfTheSameFile)
{
    TempFolder folder;
    folder.WriteText("data.txt.tmp-abc123", "killed");
    folder.WriteText("other.txt.tmp-abc123", "another file's");
    folder.WriteText("data.txt.tmp-run123", "running");
    const int running = ::open(folder.File("data.txt.tmp-run123").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    EXPECT_TRUE(WriteFileAtomically(folder.File("data.txt"), "new", nullptr));
    ::close(running);
    EXPECT_FALSE(fs::exists(folder.File("data.txt.tmp-abc123")));
    EXPECT_TRUE(fs::exists(folder.File("data.txt.tmp-run123")));
    EXPECT_TRUE(fs::exists(folder.File("other.txt.tmp-abc123")));
}
