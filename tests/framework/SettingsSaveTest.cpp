#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "support/FileFaultScope.h"
#include "support/KillDuringSave.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using Root = SettingsStore::Root;

// Each failing step of a replacement is checked in FileReplacementTest; here, that the store
// reports with its file's name, stays modified, and saves what it holds once the fault is gone.
TEST(SettingsSaveTest, FailedSaveLeavesOldFileAndStaysModified)
{
    TempFolder folder;
    const std::string old = "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\Old]\n\"Kept\"=dword:00000001\n\n";
    folder.WriteText("HKEY_CLASSES_ROOT.reg", old);
    SettingsStore store(Root::ClassesRoot, folder.File("HKEY_CLASSES_ROOT.reg"));
    ASSERT_TRUE(store.Load());
    store.CreateKey("New").SetString("Text", "changed");

    std::string error;
    {
        FileFaultScope fault(FileFaults::Step::Rename, EROFS, ".reg");
        EXPECT_FALSE(store.Save(&error));
        EXPECT_EQ(fault.Hits(), 1);
    }
    EXPECT_NE(error.find("HKEY_CLASSES_ROOT.reg"), std::string::npos) << error;
    EXPECT_NE(error.find(std::strerror(EROFS)), std::string::npos) << error;
    EXPECT_TRUE(store.IsModified());
    EXPECT_EQ(folder.ReadText("HKEY_CLASSES_ROOT.reg"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "temporary file left behind";

    ASSERT_TRUE(store.Save(&error)) << error;
    EXPECT_EQ(folder.ReadText("HKEY_CLASSES_ROOT.reg"), store.Text());
    EXPECT_FALSE(store.IsModified());
}

// A save killed at any moment leaves the old text or the new one, never a mix or a short file.
TEST(SettingsSaveTest, FileIsOldOrNewWhereverTheSaveIsKilled)
{
    TempFolder folder;
    const std::string path = folder.File("HKEY_CURRENT_USER.reg");
    std::string texts[2];
    std::mt19937 random(1);
    for (std::string& text : texts) {  // many keys of random binary values: a long save
        SettingsStore store(Root::CurrentUser, "");
        for (int key = 0; key < 400; ++key) {
            const RegistryKey handle = store.CreateKey("Software\\Key " + std::to_string(key));
            for (int value = 0; value < 20; ++value) {
                std::vector<std::uint8_t> bytes(48);
                for (auto& byte : bytes) {
                    byte = static_cast<std::uint8_t>(random());
                }
                handle.SetBinary("Value " + std::to_string(value), bytes);
            }
        }
        text = store.Text();
    }
    SettingsStore store(Root::CurrentUser, path);
    store.LoadText(texts[1]);
    // The kills are spread over one save's time here and a little beyond.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(store.Save());
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    EXPECT_EQ(KillDuringSave(
                  path, texts[0], texts[1], [&store] { store.Save(); }, 40,
                  static_cast<int>(saveTime.count() * 3 / 2) + 1000),
              "");
}
