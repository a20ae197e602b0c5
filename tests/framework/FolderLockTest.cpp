#include "framework/FolderLock.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Waiting for the lock, and the holder named to a waiter, are shown by concurrent imports.
TEST(FolderLockTest, GivesUpInTimeNamingTheHolderAndNeverFollowsALink)
{
    TempFolder dir;
    std::string error;
    auto held = FolderLock::Acquire(dir.Path(), "first", {}, &error);
    ASSERT_TRUE(held) << error;
    EXPECT_FALSE(FolderLock::AcquireWithin(dir.Path(), "second", 60ms, &error));
    EXPECT_NE(error.find("in use by first (pid " + std::to_string(::getpid()) + ")"),
              std::string::npos)
        << error;
    held.reset();
    EXPECT_EQ(dir.ReadText(FolderLock::kFileName), "");
    // Holding the lock empties its file, which must never be one a link points to.
    std::filesystem::remove(dir.File(FolderLock::kFileName));
    dir.WriteText("target", "the user's");
    std::filesystem::create_symlink(dir.File("target"), dir.File(FolderLock::kFileName));
    EXPECT_FALSE(FolderLock::Acquire(dir.Path(), "p", {}, &error));
    EXPECT_EQ(dir.ReadText("target"), "the user's");
}

}  // namespace
