#include "app/FileTypeRegistration.h"
#include "framework/SettingsStore.h"
#include "support/FileFaultScope.h"
#include "support/KillDuringSave.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace {

TEST(FileTypeRegistration, ExecArgumentQuotesAndEscapesAsDesktopEntriesRequire)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/spekla", "/usr/bin/spekla"},
        {"/home/me/my programs/spekla", "\"/home/me/my programs/spekla\""},
        {"/opt/a$b/spekla", "\"/opt/a\\\\$b/spekla\""},
        {"/opt/say\"hi\"/spekla", "\"/opt/say\\\\\"hi\\\\\"/spekla\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/spekla", "/opt/100%%/spekla"}};
    for (const auto& [path, word] : cases) {
        EXPECT_EQ(FileTypeRegistration::ExecArgument(path), word);
    }
}

TEST(FileTypeRegistration, DesktopEntryStartsTheProgramInItsInstallation)
{
    const std::string installed =
        "[Desktop Entry]\nName=Spekla\nExec=spekla %f\nPath=/old\nIcon=spekla\n";
    EXPECT_EQ(FileTypeRegistration::DesktopEntryFor(installed, "/opt/spekla/bin/spekla",
                                                    "/home/me/lines"),
              "[Desktop Entry]\nName=Spekla\nExec=/opt/spekla/bin/spekla %f\n"
              "Path=/home/me/lines\nIcon=spekla\n");
}

std::optional<std::string> Default(const SettingsStore& store, const std::string& key)
{
    const auto value = store.GetValue(key, "");
    if (!value || !std::holds_alternative<std::string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::string>(*value);
}

TEST(FileTypeRegistration, KeysAreWrittenOnceAndRemovedExactly)
{
    SettingsStore store(SettingsStore::Root::ClassesRoot, "");
    store.SetValue(".txt", "", std::string("txtfile"));
    EXPECT_TRUE(FileTypeRegistration::WriteKeys(store, "/usr/bin/spekla"));
    EXPECT_EQ(Default(store, ".swt"), "Spekla.1");
    EXPECT_EQ(Default(store, ".sef"), "Spekla.2");
    EXPECT_EQ(Default(store, "Spekla.1"), "Spekla Wavelength Table");
    EXPECT_EQ(Default(store, "Spekla.2"), "Spekla Element File");
    EXPECT_EQ(Default(store, "Spekla.Application\\DefaultIcon"), "/usr/bin/spekla");
    for (const char* key : {"Spekla.1", "Spekla.2", "Spekla.3"}) {
        EXPECT_EQ(Default(store, std::string(key) + "\\DefaultIcon"), "/usr/bin/spekla,1");
    }
    const std::string written = store.Text();
    EXPECT_FALSE(FileTypeRegistration::WriteKeys(store, "/usr/bin/spekla"));
    EXPECT_EQ(store.Text(), written);
    EXPECT_TRUE(FileTypeRegistration::WriteKeys(store, "/opt/spekla"));

    EXPECT_TRUE(FileTypeRegistration::RemoveKeys(store));
    EXPECT_EQ(store.SubKeyNames(""), std::vector<std::string>{".txt"});
    EXPECT_FALSE(FileTypeRegistration::RemoveKeys(store));
}

std::vector<FileTypeRegistration::File> DesktopFiles()
{
    return {{"mime/packages/spekla.xml", "<mime-info/>\n"},
            {"applications/spekla.desktop", "[Desktop Entry]\n"},
            {"icons/hicolor/scalable/apps/spekla.svg", "<svg/>\n"}};
}

time_t ModificationTime(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mtime : 0;
}

TEST(FileTypeRegistration, FilesAreWrittenOnlyWhenTheyDifferAndRemovedExactly)
{
    const TempFolder data;
    const FileTypeRegistration registration(data.Path(), DesktopFiles());
    std::string error;
    EXPECT_EQ(registration.Install(&error), 3) << error;
    EXPECT_EQ(data.ReadText("applications/spekla.desktop"), "[Desktop Entry]\n");
    // A second start changes nothing: the files keep their age.
    const utimbuf old{1000, 1000};
    for (const auto& file : registration.Files()) {
        ASSERT_EQ(::utime(registration.PathOf(file).c_str(), &old), 0);
    }
    EXPECT_EQ(registration.Install(&error), 0);
    for (const auto& file : registration.Files()) {
        EXPECT_EQ(ModificationTime(registration.PathOf(file)), 1000) << file.relativePath;
    }
    data.WriteText("applications/spekla.desktop", "changed by hand\n");
    EXPECT_EQ(registration.Install(&error), 1);
    EXPECT_EQ(data.ReadText("applications/spekla.desktop"), "[Desktop Entry]\n");

    // What the desktop's tools made: a database of Spekla's types alone goes, a cache that
    // also serves another entry stays.
    data.WriteText("applications/other.desktop", "[Desktop Entry]\n");
    data.WriteText("applications/mimeinfo.cache", "[MIME Cache]\n");
    data.WriteText("mime/mime.cache", "");
    data.WriteText("mime/application/x-spekla-table.xml", "");
    EXPECT_EQ(registration.Uninstall(), 3);
    for (const auto& file : registration.Files()) {
        EXPECT_FALSE(std::filesystem::exists(registration.PathOf(file))) << file.relativePath;
    }
    EXPECT_TRUE(std::filesystem::exists(data.File("applications/other.desktop")));
    EXPECT_TRUE(std::filesystem::exists(data.File("applications/mimeinfo.cache")));
    EXPECT_FALSE(std::filesystem::exists(data.File("mime")));
    EXPECT_FALSE(std::filesystem::exists(data.File("icons")));
    EXPECT_EQ(registration.Uninstall(), 0);
}

// What the desktop's tools made of Spekla's types alone goes with it, leaving no trace; other
// packages' files and the database that also serves them stay.
TEST(FileTypeRegistration, UninstallRemovesOnlySpeklasTraces)
{
    for (bool others : {false, true}) {
        const TempFolder data;
        const FileTypeRegistration registration(data.Path(), DesktopFiles());
        std::string error;
        ASSERT_EQ(registration.Install(&error), 3) << error;
        data.WriteText("applications/mimeinfo.cache", "[MIME Cache]\n");
        data.WriteText("mime/globs2", others ? "50:text/x-other:*.other\n"
                                             : "50:application/x-spekla-table:*.swt\n");
        if (others) {
            data.WriteText("mime/packages/other.xml", "<mime-info/>\n");
            data.WriteText("icons/hicolor/scalable/apps/other.svg", "<svg/>\n");
        }
        EXPECT_EQ(registration.Uninstall(), 3);
        EXPECT_EQ(std::filesystem::is_empty(data.Path()), !others);
        EXPECT_EQ(std::filesystem::exists(data.File("mime/globs2")), others);
        EXPECT_EQ(std::filesystem::exists(data.File("mime/packages/other.xml")), others);
        EXPECT_EQ(std::filesystem::exists(data.File("icons/hicolor/scalable/apps/other.svg")),
                  others);
        EXPECT_FALSE(std::filesystem::exists(data.File("applications")));
    }
}

TEST(FileTypeRegistration, FailureToWriteIsReported)
{
    const TempFolder data;
    data.WriteText("mime", "a file where a folder should be");
    std::string error;
    EXPECT_EQ(FileTypeRegistration(data.Path(), DesktopFiles()).Install(&error), -1);
    EXPECT_FALSE(error.empty());
}

}  // namespace

class DesktopFileFault : public testing::TestWithParam<FileFaults::Step> {};

// A desktop file that cannot be replaced keeps its old text, and the failure is reported.
TEST_P(DesktopFileFault, KeepsTheOldFileAndSaysWhy)
{
    const TempFolder data;
    data.WriteText("applications/spekla.desktop", "[Desktop Entry]\nName=Old\n");
    const FileTypeRegistration registration(data.Path(), DesktopFiles());
    std::string error;
    {
        const FileFaultScope fault(GetParam(), EROFS, "spekla.desktop");
        EXPECT_EQ(registration.Install(&error), -1);
    }
    EXPECT_NE(error.find("Read-only file system"), std::string::npos) << error;
    EXPECT_EQ(data.ReadText("applications/spekla.desktop"), "[Desktop Entry]\nName=Old\n");
}

INSTANTIATE_TEST_SUITE_P(EachStep, DesktopFileFault,
                         testing::Values(FileFaults::Step::Create, FileFaults::Step::Write,
                                         FileFaults::Step::Chmod, FileFaults::Step::Sync,
                                         FileFaults::Step::Rename));

// Registering killed at any moment leaves each desktop file old or new, never a mix.
TEST(FileTypeRegistration, KilledRegistrationLeavesEachFileOldOrNew)
{
    const TempFolder data;
    const std::string entry = "[Desktop Entry]\n" + std::string(200000, '#') + "\n";
    const FileTypeRegistration registration(data.Path(), {{"applications/spekla.desktop", entry}});
    const std::string path = data.File("applications/spekla.desktop");
    std::filesystem::create_directories(data.File("applications"));
    EXPECT_EQ(KillDuringSave(path, "[Desktop Entry]\nName=Old\n", entry,
                             [&] { registration.Install(nullptr); }),
              "");
}
