#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "support/FileFaultScope.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Root = SettingsStore::Root;
using Step = FileFaults::Step;

std::size_t FilesIn(const TempFolder& folder)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder.Path()), {}));
}

std::string FileNameFor(Root root)
{
    return std::string(SettingsStore::RootName(root)) + ".reg";
}

struct FaultCase {
    Step step;
    int error;
    Root root;
};

std::string CaseName(const testing::TestParamInfo<FaultCase>& info)
{
    constexpr const char* kSteps[] = {"Create", "Write", "Chmod", "Sync", "Rename"};
    return std::string(kSteps[static_cast<int>(info.param.step)]) +
           (info.param.root == Root::CurrentUser ? "User" : "Classes");
}

class SettingsSaveFault : public testing::TestWithParam<FaultCase> {};

// A settings text of many keys with binary values, different for each seed.
std::string LargeSettings(Root root, unsigned seed)
{
    SettingsStore store(root, "");
    std::mt19937 random(seed);
    for (int key = 0; key < 400; ++key) {
        const RegistryKey handle = store.CreateKey("Software\\Spekla\\Key " + std::to_string(key));
        for (int value = 0; value < 20; ++value) {
            std::vector<std::uint8_t> bytes(48);
            for (auto& byte : bytes) {
                byte = static_cast<std::uint8_t>(random());
            }
            handle.SetBinary("Value " + std::to_string(value), bytes);
        }
    }
    return store.Text();
}

}  // namespace

// Whichever step fails, the old file stays byte for byte, no temporary file is left, and the
// failure is reported with the file's name and the reason.
TEST_P(SettingsSaveFault, LeavesOldFileAndReports)
{
    const FaultCase& c = GetParam();
    TempFolder folder;
    const std::string old = "REGEDIT4\n\n[" + std::string(SettingsStore::RootName(c.root)) +
                            "\\Old]\n\"Kept\"=dword:00000001\n\n";
    folder.WriteText(FileNameFor(c.root), old);
    SettingsStore store(c.root, folder.File(FileNameFor(c.root)));
    ASSERT_TRUE(store.Load());
    store.CreateKey("New").SetString("Text", "changed");

    std::string error;
    {
        FileFaultScope fault(c.step, c.error, ".reg");
        EXPECT_FALSE(store.Save(&error));
        EXPECT_EQ(fault.Hits(), 1);
    }
    EXPECT_NE(error.find(FileNameFor(c.root)), std::string::npos) << error;
    EXPECT_NE(error.find(std::strerror(c.error)), std::string::npos) << error;
    EXPECT_TRUE(store.IsModified());
    EXPECT_EQ(folder.ReadText(FileNameFor(c.root)), old);
    EXPECT_EQ(FilesIn(folder), 1u) << "temporary file left behind";

    // Once the fault is gone, the same store saves what it holds.
    ASSERT_TRUE(store.Save(&error)) << error;
    EXPECT_EQ(folder.ReadText(FileNameFor(c.root)), store.Text());
    EXPECT_FALSE(store.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Steps, SettingsSaveFault,
                         testing::Values(FaultCase{Step::Create, EACCES, Root::CurrentUser},
                                         FaultCase{Step::Write, ENOSPC, Root::CurrentUser},
                                         FaultCase{Step::Chmod, EPERM, Root::CurrentUser},
                                         FaultCase{Step::Sync, EIO, Root::CurrentUser},
                                         FaultCase{Step::Rename, EXDEV, Root::CurrentUser},
                                         FaultCase{Step::Write, EDQUOT, Root::ClassesRoot},
                                         FaultCase{Step::Rename, EROFS, Root::ClassesRoot}),
                         CaseName);

// A save killed at any moment leaves the old text or the new one, never a mix or a short file.
TEST(SettingsSaveKill, FileIsOldOrNewWhereverTheSaveIsKilled)
{
    TempFolder folder;
    const std::string path = folder.File(FileNameFor(Root::CurrentUser));
    const std::string texts[] = {LargeSettings(Root::CurrentUser, 1),
                                 LargeSettings(Root::CurrentUser, 2)};
    ASSERT_NE(texts[0], texts[1]);
    folder.WriteText(FileNameFor(Root::CurrentUser), texts[0]);

    // How long one save takes here, to spread the kills over it and a little beyond.
    SettingsStore store(Root::CurrentUser, path);
    store.LoadText(texts[0]);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(store.Save());
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count();

    std::mt19937 random(7);
    int oldKept = 0;
    int oldInARow = 0;
    // A busy machine may start the children late: the kills then move later.
    auto bound = static_cast<unsigned>(saveTime * 3 / 2);
    for (int round = 0; round < 40; ++round) {
        const std::string current = folder.ReadText(FileNameFor(Root::CurrentUser));
        const std::string& next = current == texts[0] ? texts[1] : texts[0];
        store.LoadText(next);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::_exit(store.Save() ? 0 : 1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (bound + 1)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const std::string after = folder.ReadText(FileNameFor(Root::CurrentUser));
        ASSERT_TRUE(after == current || after == next)
            << "round " << round << ": a mixed file of " << after.size() << " bytes";
        oldKept += after == current ? 1 : 0;
        oldInARow = after == current ? oldInARow + 1 : 0;
        if (oldInARow >= 5) {
            bound *= 2;
            oldInARow = 0;
        }
    }
    // Both outcomes should occur; if not, the kills missed the save altogether.
    EXPECT_GT(oldKept, 0);
    EXPECT_LT(oldKept, 40);
    // Temporary files of killed saves may stay behind, but never in place of the file.
    SettingsStore reloaded(Root::CurrentUser, path);
    ASSERT_TRUE(reloaded.Load());
    EXPECT_TRUE(reloaded.KeyExists("Software\\Spekla\\Key 399"));
}
