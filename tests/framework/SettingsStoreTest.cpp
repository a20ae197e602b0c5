#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Root = SettingsStore::Root;

constexpr const char* kSpeklaKey = "Software\\Spekla\\Data Window";

// A hand-made file with one example of each kind of damage the loader must survive.
constexpr const char* kDamagedFile =
    "REGEDIT4\n"
    "stray line before any section\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Spekla]\n"
    "\"Good\"=dword:0000002a\n"
    "\"BadDword\"=dword:xyz\n"
    "\"TooLong\"=dword:123456789\n"
    "\"BadHex\"=hex:0g,00\n"
    "\"Unterminated\"=\"abc\n"
    "garbage \x01\xff line\n"
    "\"Expand\"=hex(2):41,00,00,00\n"
    "\"Dup\"=\"first\"\n"
    "\"DUP\"=\"second\"\n"
    "@=\"default\"\n"
    "\n"
    "[HKEY_CLASSES_ROOT\\.spk]\n"
    "@=\"Spekla.Table\"\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Spekla\\Truncated\n"
    "\"Lost\"=hex:01,\\\n"
    "[HKEY_CURRENT_USER\\Software\\Spekla\\Next]\n"
    "\"Wrapped\"=hex:01,02,\\\n"
    "  03\n"
    "\"Cut\"=hex:04,\\\n"
    "\"After\"=dword:00000002\n"
    "\"Orphan\"=hex:07,\\\n"
    "\n"
    "  05\n"
    "\"Comma\"=hex:06,\n"
    "\"Folder\"=\"C:\\temp\"\n";

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

Bytes Sequence(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    return bytes;
}

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "spekla-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path FilePath() const { return m_dir / "HKEY_CURRENT_USER.reg"; }

    // Saves `store` and loads its file into a fresh store.
    SettingsStore SaveAndReload(SettingsStore& store)
    {
        std::string error;
        EXPECT_TRUE(store.Save(&error)) << error;
        SettingsStore reloaded(store.GetRoot(), store.FilePath());
        EXPECT_TRUE(reloaded.Load(&error)) << error;
        return reloaded;
    }

    // Loads `text` and returns what saving it writes.
    std::string Resave(const std::string& text)
    {
        WriteText(FilePath(), text);
        SettingsStore store(Root::CurrentUser, FilePath());
        EXPECT_TRUE(store.Load());
        EXPECT_TRUE(store.Save());
        return ReadText(FilePath());
    }

    fs::path m_dir;
};

struct ValueCase {
    const char* label;
    std::string name;
    SettingsStore::Value value;
};

class SettingsValueRoundTrip : public SettingsStoreTest,
                               public testing::WithParamInterface<ValueCase> {};

TEST_P(SettingsValueRoundTrip, SurvivesSaveAndLoad)
{
    const ValueCase& c = GetParam();
    SettingsStore store(Root::CurrentUser, FilePath().string());
    store.SetValue(kSpeklaKey, c.name, c.value);
    store.SetValue(kSpeklaKey, "Neighbour", std::uint32_t{7});

    SettingsStore reloaded = SaveAndReload(store);
    EXPECT_EQ(reloaded.GetValue(kSpeklaKey, c.name), c.value);
    EXPECT_EQ(reloaded.GetValue(kSpeklaKey, "Neighbour"), SettingsStore::Value(std::uint32_t{7}));
    EXPECT_EQ(reloaded.ValueNames(kSpeklaKey).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, SettingsValueRoundTrip,
    testing::Values(ValueCase{"DwordZero", "Linear", std::uint32_t{0}},
                    ValueCase{"DwordMax", "Linear", std::uint32_t{0xFFFFFFFF}},
                    ValueCase{"Text", "Column 0 text", std::string("Wavelength")},
                    ValueCase{"QuotesAndBackslashes", "Path", std::string("say \"hi\" C:\\dir\\")},
                    ValueCase{"Utf8", "Unit", std::string("0.001 \xC3\x85")},
                    ValueCase{"EmptyString", "Empty", std::string()},
                    ValueCase{"LineBreaks", "Lines", std::string("one\ntwo\r\n\\n")},
                    ValueCase{"DefaultValue", "", std::string("default")},
                    ValueCase{"OddName", "a \"quoted\\name\"", std::uint32_t{3}},
                    ValueCase{"AtSignName", "@", std::string("not the default")},
                    ValueCase{"Binary0", "Blob", Bytes{}},
                    ValueCase{"Binary1", "Blob", Bytes{0xFF}},
                    ValueCase{"Binary8", "Blob", Sequence(8)},
                    ValueCase{"Binary60", "Font data", Sequence(60)},
                    ValueCase{"Binary300", "Placement", Sequence(300)}),
    [](const testing::TestParamInfo<ValueCase>& test) { return test.param.label; });

TEST_F(SettingsStoreTest, DoubleIsEightLittleEndianBytes)
{
    SettingsStore store(Root::CurrentUser, FilePath().string());
    const RegistryKey key = store.CreateKey(kSpeklaKey);
    key.SetDouble("Scale", 1.5);
    key.SetDouble("Tiny", -2.5e-300);
    EXPECT_EQ(key.GetBinary("Scale"), (Bytes{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));

    SettingsStore reloaded = SaveAndReload(store);
    const RegistryKey again = reloaded.CreateKey(kSpeklaKey);
    EXPECT_EQ(again.GetDouble("Scale"), 1.5);
    EXPECT_EQ(again.GetDouble("Tiny"), -2.5e-300);
    EXPECT_NE(ReadText(FilePath()).find("\"Scale\"=hex:00,00,00,00,00,00,f8,3f\n"),
              std::string::npos);
}

TEST_F(SettingsStoreTest, WrongTypeOrSizeReadsAsMissing)
{
    SettingsStore store(Root::CurrentUser, FilePath().string());
    const RegistryKey key = store.CreateKey(kSpeklaKey);
    key.SetDword("Number", 5);
    key.SetString("Text", "5");
    key.SetBinary("Colour", Bytes{1, 2, 3, 0});

    EXPECT_FALSE(key.GetString("Number"));
    EXPECT_FALSE(key.GetBinary("Number"));
    EXPECT_FALSE(key.GetDouble("Number"));
    EXPECT_FALSE(key.GetDword("Text"));
    EXPECT_FALSE(key.GetDword("Colour"));
    EXPECT_FALSE(key.GetDouble("Colour"));
    EXPECT_FALSE(key.GetBinary("Colour", 60));
    EXPECT_EQ(key.GetBinary("Colour", 4), (Bytes{1, 2, 3, 0}));
    EXPECT_FALSE(key.GetDword("Absent"));
    EXPECT_FALSE(store.CreateKey("Elsewhere").GetDword("Number"));
}

TEST_F(SettingsStoreTest, NamesCompareWithoutCase)
{
    SettingsStore store(Root::CurrentUser, FilePath().string());
    store.CreateKey("Software\\Spekla\\Data Window").SetDword("Display as", 1);
    store.CreateKey("SOFTWARE\\\\spekla\\DATA WINDOW\\").SetDword("Display As", 2);
    store.CreateKey("Software\\Spekla\\\xC3\x85ngstr\xC3\xB6m");

    EXPECT_EQ(store.ValueNames(kSpeklaKey), std::vector<std::string>{"Display as"});
    EXPECT_EQ(store.CreateKey(kSpeklaKey).GetDword("DISPLAY AS"), 2u);
    EXPECT_EQ(store.SubKeyNames(""), std::vector<std::string>{"Software"});
    EXPECT_EQ(store.SubKeyNames("software\\SPEKLA"),
              (std::vector<std::string>{"Data Window", "\xC3\x85ngstr\xC3\xB6m"}));
    EXPECT_TRUE(store.KeyExists("software\\spekla\\\xC3\xA5NGSTR\xC3\x96M"));
    ASSERT_TRUE(store.OpenKey("\\software\\spekla\\data window"));
    EXPECT_EQ(store.OpenKey("software\\spekla\\data window")->Path(), kSpeklaKey);
    EXPECT_FALSE(store.OpenKey("Software\\Spekla\\Graph Window"));
}

TEST_F(SettingsStoreTest, DeleteKeyTakesSubkeysButNotNamesalikes)
{
    SettingsStore store(Root::CurrentUser, FilePath().string());
    const RegistryKey doomed = store.CreateKey("Software\\Spekla\\Tables");
    doomed.CreateSubKey("0\\Deep").SetDword("x", 1);
    doomed.SetString("Last", "iron.wtb");
    store.CreateKey("Software\\Spekla\\Tables2").SetDword("y", 2);
    store.CreateKey("Software\\Spekla\\Other").SetDword("z", 3);

    EXPECT_TRUE(store.DeleteKey("software\\spekla\\TABLES"));
    EXPECT_FALSE(store.DeleteKey("software\\spekla\\TABLES"));
    EXPECT_FALSE(store.KeyExists("Software\\Spekla\\Tables\\0\\Deep"));
    EXPECT_FALSE(doomed.Exists());
    EXPECT_FALSE(doomed.GetString("Last"));
    EXPECT_EQ(store.SubKeyNames("Software\\Spekla"),
              (std::vector<std::string>{"Tables2", "Other"}));

    SettingsStore reloaded = SaveAndReload(store);
    EXPECT_FALSE(reloaded.KeyExists("Software\\Spekla\\Tables"));
    EXPECT_EQ(reloaded.CreateKey("Software\\Spekla\\Tables2").GetDword("y"), 2u);

    doomed.SetString("Last", "neon.wtb");  // a stale handle re-creates its key
    EXPECT_EQ(doomed.GetString("Last"), "neon.wtb");
    EXPECT_FALSE(store.DeleteKey(""));
}

TEST_F(SettingsStoreTest, DamagedFileLoadsWhatItCan)
{
    WriteText(FilePath(), kDamagedFile);
    SettingsStore store(Root::CurrentUser, FilePath().string());
    std::string error;
    ASSERT_TRUE(store.Load(&error)) << error;

    const RegistryKey key = store.CreateKey("Software\\Spekla");
    EXPECT_EQ(key.GetDword("Good"), 42u);
    EXPECT_FALSE(key.HasValue("BadDword"));
    EXPECT_FALSE(key.HasValue("TooLong"));
    EXPECT_FALSE(key.HasValue("BadHex"));
    EXPECT_TRUE(key.HasValue("Expand"));
    EXPECT_FALSE(key.GetBinary("Expand"));
    EXPECT_EQ(key.GetString("dup"), "second");
    EXPECT_EQ(key.GetString(""), "default");
    EXPECT_EQ(store.SubKeyNames("Software\\Spekla"), std::vector<std::string>{"Next"});
    EXPECT_FALSE(store.KeyExists(".spk"));
    const RegistryKey next = *key.OpenSubKey("Next");
    EXPECT_EQ(next.GetBinary("Wrapped"), (Bytes{1, 2, 3}));
    EXPECT_FALSE(next.HasValue("Cut"));
    EXPECT_FALSE(next.HasValue("Orphan"));
    EXPECT_EQ(next.GetBinary("Comma"), (Bytes{6}));
    EXPECT_EQ(next.GetDword("After"), 2u);
    EXPECT_EQ(next.GetString("Folder"), "C:\\temp");
}

TEST_F(SettingsStoreTest, DamagedFileKeepsWhatItCannotRead)
{
    const std::string expected =
        "REGEDIT4\n\n"
        "stray line before any section\n\n"
        "[HKEY_CURRENT_USER\\Software\\Spekla]\n"
        "\"Good\"=dword:0000002a\n"
        "\"BadDword\"=dword:xyz\n"
        "\"TooLong\"=dword:123456789\n"
        "\"BadHex\"=hex:0g,00\n"
        "\"Unterminated\"=\"abc\n"
        "garbage \x01\xff line\n"
        "\"Expand\"=hex(2):41,00,00,00\n"
        "\"Dup\"=\"second\"\n"
        "@=\"default\"\n\n"
        "[HKEY_CLASSES_ROOT\\.spk]\n"
        "@=\"Spekla.Table\"\n\n"
        "[HKEY_CURRENT_USER\\Software\\Spekla\\Truncated\n"
        "\"Lost\"=hex:01,\\\n\n\n"
        "[HKEY_CURRENT_USER\\Software\\Spekla\\Next]\n"
        "\"Wrapped\"=hex:01,02,03\n"
        "\"Cut\"=hex:04,\\\n\n"
        "\"After\"=dword:00000002\n"
        "\"Orphan\"=hex:07,\\\n\n"
        "  05\n"
        "\"Comma\"=hex:06\n"
        "\"Folder\"=\"C:\\\\temp\"\n\n";
    EXPECT_EQ(Resave(kDamagedFile), expected);
    EXPECT_EQ(Resave(expected), expected);
}

TEST_F(SettingsStoreTest, DeletingKeyDropsItsKeptLines)
{
    WriteText(FilePath(), kDamagedFile);
    SettingsStore store(Root::CurrentUser, FilePath().string());
    ASSERT_TRUE(store.Load());
    EXPECT_TRUE(store.DeleteKey("Software"));
    ASSERT_TRUE(store.Save());

    const std::string text = ReadText(FilePath());
    EXPECT_EQ(text.find("garbage"), std::string::npos);
    EXPECT_EQ(text.find("BadDword"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\.spk]\n@=\"Spekla.Table\"\n"), std::string::npos);
    EXPECT_NE(text.find("stray line before any section"), std::string::npos);
}

// Whatever the damage, loading never fails and a saved file reloads to the same file.
TEST_F(SettingsStoreTest, MangledFilesLoadAndSettle)
{
    const std::string original = kDamagedFile;
    std::mt19937 random(20240601);
    std::vector<std::string> variants;
    for (std::size_t size = 0; size <= original.size(); size += 3) {
        variants.push_back(original.substr(0, size));
    }
    constexpr std::string_view kTroublemakers("\\\"[]@=,\n\r \t:\0\xC3", 14);
    for (int round = 0; round < 200; ++round) {
        std::string text = original;
        for (int hit = 0; hit < 4; ++hit) {
            text[random() % text.size()] = kTroublemakers[random() % kTroublemakers.size()];
        }
        variants.push_back(text);
    }
    // In memory: the file round trip itself is covered above, and fsync is slow.
    SettingsStore store(Root::CurrentUser, FilePath().string());
    for (const std::string& text : variants) {
        store.LoadText(text);
        const std::string once = store.Text();
        store.LoadText(once);
        ASSERT_EQ(store.Text(), once) << "input:\n" << text;
    }
}

TEST_F(SettingsStoreTest, ReadsCrLfAndWritesLf)
{
    WriteText(FilePath(),
              "\xEF\xBB\xBFREGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Spekla]\r\n"
              "\"Name\"=\"Fe I\"\r\n\"Bytes\"=hex:0a,\\\r\n  0b\r\n\"Flag\"=dword:00000001\r\r\n");
    SettingsStore store(Root::CurrentUser, FilePath().string());
    ASSERT_TRUE(store.Load());
    const RegistryKey key = store.CreateKey("Software\\Spekla");
    EXPECT_EQ(key.GetString("Name"), "Fe I");
    EXPECT_EQ(key.GetBinary("Bytes"), (Bytes{0x0A, 0x0B}));
    EXPECT_EQ(key.GetDword("Flag"), 1u);
    ASSERT_TRUE(store.Save());
    const std::string text = ReadText(FilePath());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(text.starts_with("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n")) << text;
}

class CanonicalFile : public SettingsStoreTest, public testing::WithParamInterface<const char*> {};

TEST_P(CanonicalFile, ResavesByteForByte)
{
    EXPECT_EQ(Resave(GetParam()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CanonicalFile,
    testing::Values(
        // As regedit exports: every key has a section, parents included.
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n"
        "\"Linear\"=dword:00000001\n\n[HKEY_CURRENT_USER\\Software\\Spekla\\Empty]\n\n",
        // A subkey before its parent, the root's own values, a key of the other root.
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\B]\n@=\"b\"\n\n[HKEY_CURRENT_USER\\A]\n@=\"a\"\n\n"
        "[HKEY_CLASSES_ROOT\\.wtb]\n@=\"x\"\n\n[HKEY_CURRENT_USER]\n\"Top\"=\"\"\n\n",
        // A wrapped binary value exactly as this store writes it.
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla\\Data Window]\n"
        "\"Font data\"=hex:f4,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,90,01,00,00,00,\\\n"
        "  00,00,00,00,00,00,00,41,72,69,61,6c,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\n"
        "  00,00,00,00,00,00,00,00,00,00,00,00,00,00\n\n"));

TEST_F(SettingsStoreTest, SavedStoreResavesByteForByte)
{
    SettingsStore store(Root::CurrentUser, FilePath().string());
    store.CreateKey("Software\\Spekla\\Empty");
    const RegistryKey window = store.CreateKey(kSpeklaKey);
    window.SetBinary("Font data", Sequence(60));
    window.SetString("", "default");
    store.CreateKey("Software\\Spekla\\Graph Window").SetDword("Linear", 1);
    ASSERT_TRUE(store.Save());
    const std::string first = ReadText(FilePath());

    std::istringstream lines(first);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
    EXPECT_EQ(Resave(first), first);
}

TEST_F(SettingsStoreTest, LoadTreatsMissingFileAsEmpty)
{
    SettingsStore store(Root::CurrentUser, (m_dir / "absent" / "file.reg").string());
    store.CreateKey("Stale").SetDword("x", 1);
    EXPECT_TRUE(store.IsModified());
    EXPECT_TRUE(store.Load());
    EXPECT_FALSE(store.KeyExists("Stale"));
    EXPECT_FALSE(store.IsModified());

    SettingsStore directory(Root::CurrentUser, m_dir.string());
    std::string error;
    EXPECT_FALSE(directory.Load(&error));
    EXPECT_FALSE(error.empty());
}

TEST_F(SettingsStoreTest, SaveCreatesMissingFolders)
{
    SettingsStore store(Root::ClassesRoot, (m_dir / "a" / "b" / "HKEY_CLASSES_ROOT.reg").string());
    store.CreateKey(".wtb").SetString("", "Spekla.Table");
    SettingsStore reloaded = SaveAndReload(store);
    EXPECT_EQ(reloaded.CreateKey(".WTB").GetString(""), "Spekla.Table");
    EXPECT_FALSE(reloaded.IsModified());
}

TEST_F(SettingsStoreTest, SaveUnderRegularFileReportsFailure)
{
    WriteText(m_dir / "plain", "not a folder");
    SettingsStore store(Root::CurrentUser, (m_dir / "plain" / "HKEY_CURRENT_USER.reg").string());
    store.CreateKey("Software").SetDword("x", 1);
    std::string error;
    EXPECT_FALSE(store.Save(&error));
    EXPECT_NE(error.find("plain"), std::string::npos) << error;
    EXPECT_TRUE(store.IsModified());
}

// Running as root defeats permission tricks, but a file size limit makes the write itself fail.
TEST_F(SettingsStoreTest, FailedSaveLeavesOldFileAlone)
{
    const std::string old = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Old]\n\"Kept\"=dword:00000001\n\n";
    WriteText(FilePath(), old);
    SettingsStore store(Root::CurrentUser, FilePath().string());
    ASSERT_TRUE(store.Load());
    store.CreateKey("New").SetBinary("Big", Sequence(4096));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool savedOk = store.Save(&error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(FilePath()), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1)
        << "temporary file left behind";
}

struct DirectoryCase {
    const char* label;
    const char* speklaDir;  // nullptr: unset
    const char* xdgHome;
    const char* home;
    const char* expected;
};

class ConfigDirectoryTest : public testing::TestWithParam<DirectoryCase> {
protected:
    void SetUp() override
    {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override
    {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            Set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
        }
    }
    static void Set(const char* name, const char* value)
    {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }

    static constexpr const char* kNames[] = {"SPEKLA_CONFIG_DIR", "XDG_CONFIG_HOME", "HOME"};
    std::vector<std::optional<std::string>> m_saved;
};

TEST_P(ConfigDirectoryTest, FollowsPrecedence)
{
    const DirectoryCase& c = GetParam();
    Set("SPEKLA_CONFIG_DIR", c.speklaDir);
    Set("XDG_CONFIG_HOME", c.xdgHome);
    Set("HOME", c.home);
    EXPECT_EQ(SettingsStore::ConfigDirectory(), c.expected);
    EXPECT_EQ(SettingsStore::FilePathFor(Root::ClassesRoot),
              std::string(c.expected) + "/HKEY_CLASSES_ROOT.reg");
}

INSTANTIATE_TEST_SUITE_P(
    Environment, ConfigDirectoryTest,
    testing::Values(DirectoryCase{"AllSet", "/s", "/x", "/h", "/s"},
                    DirectoryCase{"EmptyOverride", "", "/x", "/h", "/x/Spekla"},
                    DirectoryCase{"XdgOnly", nullptr, "/x", "/h", "/x/Spekla"},
                    DirectoryCase{"EmptyXdg", nullptr, "", "/h", "/h/.config/Spekla"},
                    DirectoryCase{"RelativeXdg", nullptr, "rel", "/h", "/h/.config/Spekla"},
                    DirectoryCase{"HomeOnly", nullptr, nullptr, "/h", "/h/.config/Spekla"}),
    [](const testing::TestParamInfo<DirectoryCase>& test) { return test.param.label; });

}  // namespace
