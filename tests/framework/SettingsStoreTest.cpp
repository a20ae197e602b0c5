#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Root = SettingsStore::Root;

constexpr const char* kSpeklaKey = "Software\\Spekla\\Data Window";

// A hand-made file with one example of each kind of damage the loader must survive.
constexpr const char* kDamagedFile =
    "REGEDIT4\n"
    "stray line before any section\n\n"
    "[HKEY_CURRENT_USER\\Software\\Spekla]\n"
    "\"Good\"=dword:0000002a\n"
    "\"BadDword\"=dword:xyz\n"
    "\"TooLong\"=dword:123456789\n"
    "\"BadHex\"=hex:0g,00\n"
    "\"Unterminated\"=\"abc\n"
    "garbage \x01\xff line\n"
    "\"Expand\"=hex(2):41,00,00,00\n"
    "\"Dup\"=\"first\"\n\"DUP\"=\"second\"\n"
    "@=\"default\"\n\n"
    "[HKEY_CLASSES_ROOT\\.spk]\n@=\"Spekla.Table\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\Spekla\\Truncated\n\"Lost\"=hex:01,\\\n"
    "[HKEY_CURRENT_USER\\Software\\Spekla\\Next]\n"
    "\"Wrapped\"=hex:01,02,\\\n  03\n"
    "\"Cut\"=hex:04,\\\n"
    "\"After\"=dword:00000002\n"
    "\"Orphan\"=hex:07,\\\n\n  05\n"
    "\"Comma\"=hex:06,\n"
    "\"Folder\"=\"C:\\temp\"\n";

Bytes Sequence(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    return bytes;
}

// What a store that loads `text` writes back.
std::string Resave(const std::string& text)
{
    SettingsStore store(Root::CurrentUser, "");
    store.LoadText(text);
    return store.Text();
}

// Saved into a folder yet to be made and loaded by a fresh store, which would write the same file.
TEST(SettingsStoreTest, EveryTypeOfValueSurvivesSaveAndLoad)
{
    const std::pair<std::string, SettingsStore::Value> cases[] = {
        {"Linear", std::uint32_t{0}},
        {"Linear", std::uint32_t{0xFFFFFFFF}},
        {"Column 0 text", std::string("Wavelength")},
        {"Path", std::string("say \"hi\" C:\\dir\\")},
        {"Unit", std::string("0.001 \xC3\x85")},
        {"Empty", std::string()},
        {"Lines", std::string("one\ntwo\r\n\\n")},
        {"", std::string("default")},
        {"a \"quoted\\name\"", std::uint32_t{3}},
        {"@", std::string("not the default")},
        {"Blob", Bytes{}},
        {"Blob", Bytes{0xFF}},
        {"Font data", Sequence(60)},
        {"Placement", Sequence(300)}};
    for (const auto& [name, value] : cases) {
        SCOPED_TRACE(testing::PrintToString(name));
        TempFolder folder;
        SettingsStore store(Root::CurrentUser, folder.File("new/HKEY_CURRENT_USER.reg"));
        store.SetValue(kSpeklaKey, name, value);
        store.SetValue(kSpeklaKey, "Neighbour", std::uint32_t{7});
        std::string error;
        ASSERT_TRUE(store.Save(&error)) << error;
        EXPECT_FALSE(store.IsModified());

        SettingsStore reloaded(Root::CurrentUser, store.FilePath());
        ASSERT_TRUE(reloaded.Load(&error)) << error;
        EXPECT_EQ(reloaded.GetValue(kSpeklaKey, name), value);
        EXPECT_EQ(reloaded.ValueNames(kSpeklaKey), (std::vector<std::string>{name, "Neighbour"}));
        EXPECT_EQ(reloaded.Text(), folder.ReadText("new/HKEY_CURRENT_USER.reg"));
    }
}

TEST(SettingsStoreTest, TypedReadsCheckTypeAndSize)
{
    SettingsStore store(Root::CurrentUser, "");
    const RegistryKey key = store.CreateKey(kSpeklaKey);
    key.SetDword("Number", 5);
    key.SetString("Text", "5");
    key.SetBinary("Colour", Bytes{1, 2, 3, 0});
    key.SetDouble("Scale", 1.5);
    key.SetDouble("Tiny", -2.5e-300);

    EXPECT_EQ(key.GetBinary("Scale"), (Bytes{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));  // little-endian
    EXPECT_EQ(key.GetDouble("Scale"), 1.5);
    EXPECT_EQ(key.GetDouble("Tiny"), -2.5e-300);
    EXPECT_EQ(key.GetBinary("Colour", 4), (Bytes{1, 2, 3, 0}));
    // Another type, another size, no such value or key: all read as missing.
    EXPECT_EQ((std::vector<bool>{!key.GetString("Number"), !key.GetBinary("Number"),
                                 !key.GetDword("Text"), !key.GetDword("Colour"),
                                 !key.GetDouble("Colour"), !key.GetDword("Absent"),
                                 !store.CreateKey("Elsewhere").GetDword("Number")}),
              std::vector<bool>(7, true));
}

TEST(SettingsStoreTest, NamesCompareWithoutCase)
{
    SettingsStore store(Root::CurrentUser, "");
    store.CreateKey("Software\\Spekla\\Data Window").SetDword("Display as", 1);
    store.CreateKey("SOFTWARE\\\\spekla\\DATA WINDOW\\").SetDword("Display As", 2);
    store.CreateKey("Software\\Spekla\\\xC3\x85ngstr\xC3\xB6m");

    EXPECT_EQ(store.ValueNames(kSpeklaKey), std::vector<std::string>{"Display as"});
    EXPECT_EQ(store.CreateKey(kSpeklaKey).GetDword("DISPLAY AS"), 2u);
    EXPECT_EQ(store.SubKeyNames(""), std::vector<std::string>{"Software"});
    EXPECT_EQ(store.SubKeyNames("software\\SPEKLA"),
              (std::vector<std::string>{"Data Window", "\xC3\x85ngstr\xC3\xB6m"}));
    EXPECT_TRUE(store.KeyExists("software\\spekla\\\xC3\xA5NGSTR\xC3\x96M"));
    EXPECT_EQ(store.OpenKey("\\software\\spekla\\data window").value().Path(), kSpeklaKey);
    EXPECT_FALSE(store.OpenKey("Software\\Spekla\\Graph Window"));
}

TEST(SettingsStoreTest, DeleteKeyTakesSubkeysButNotNamesakes)
{
    SettingsStore store(Root::CurrentUser, "");
    const RegistryKey doomed = store.CreateKey("Software\\Spekla\\Tables");
    doomed.CreateSubKey("0\\Deep").SetDword("x", 1);
    doomed.SetString("Last", "iron.wtb");
    store.CreateKey("Software\\Spekla\\Tables2").SetDword("y", 2);
    store.CreateKey("Software\\Spekla\\Other");

    EXPECT_TRUE(store.DeleteKey("software\\spekla\\TABLES"));
    EXPECT_FALSE(store.DeleteKey("software\\spekla\\TABLES"));
    EXPECT_FALSE(store.KeyExists("Software\\Spekla\\Tables\\0\\Deep"));
    EXPECT_FALSE(doomed.GetString("Last"));
    EXPECT_EQ(store.SubKeyNames("Software\\Spekla"),
              (std::vector<std::string>{"Tables2", "Other"}));
    EXPECT_FALSE(store.DeleteKey(""));

    doomed.SetString("Last", "neon.wtb");  // a stale handle re-creates its key
    EXPECT_EQ(doomed.GetString("Last"), "neon.wtb");
}

// The re-saved text shows which lines were understood: those are written in this store's form.
TEST(SettingsStoreTest, DamagedFileKeepsWhatItCannotRead)
{
    SettingsStore store(Root::CurrentUser, "");
    store.LoadText(kDamagedFile);
    const RegistryKey key = store.CreateKey("Software\\Spekla");
    EXPECT_EQ(key.GetDword("Good"), 42u);
    EXPECT_EQ(key.GetString(""), "default");
    EXPECT_FALSE(key.HasValue("BadDword"));
    EXPECT_TRUE(key.HasValue("Expand"));
    EXPECT_FALSE(key.GetBinary("Expand"));
    EXPECT_EQ(store.CreateKey("Software\\Spekla\\Next").GetDword("After"), 2u);

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
        "[HKEY_CLASSES_ROOT\\.spk]\n@=\"Spekla.Table\"\n\n"
        "[HKEY_CURRENT_USER\\Software\\Spekla\\Truncated\n\"Lost\"=hex:01,\\\n\n\n"
        "[HKEY_CURRENT_USER\\Software\\Spekla\\Next]\n"
        "\"Wrapped\"=hex:01,02,03\n"
        "\"Cut\"=hex:04,\\\n\n"
        "\"After\"=dword:00000002\n"
        "\"Orphan\"=hex:07,\\\n\n  05\n"
        "\"Comma\"=hex:06\n"
        "\"Folder\"=\"C:\\\\temp\"\n\n";
    EXPECT_EQ(store.Text(), expected);
    EXPECT_EQ(Resave(expected), expected);

    // A deleted key takes its kept lines along; the lines outside this root's keys stay.
    EXPECT_TRUE(store.DeleteKey("Software"));
    EXPECT_EQ(store.Text(),
              "REGEDIT4\n\nstray line before any section\n\n"
              "[HKEY_CLASSES_ROOT\\.spk]\n@=\"Spekla.Table\"\n\n"
              "[HKEY_CURRENT_USER\\Software\\Spekla\\Truncated\n\"Lost\"=hex:01,\\\n\n\n");
}

// Whatever the damage, loading never fails and what is written reloads to the same text.
TEST(SettingsStoreTest, MangledFilesLoadAndSettle)
{
    const std::string original = kDamagedFile;
    std::vector<std::string> variants;
    for (std::size_t size = 0; size <= original.size(); size += 3) {
        variants.push_back(original.substr(0, size));
    }
    std::mt19937 random(20240601);
    constexpr std::string_view kTroublemakers("\\\"[]@=,\n\r \t:\0\xC3", 14);
    for (int round = 0; round < 200; ++round) {
        std::string text = original;
        for (int hit = 0; hit < 4; ++hit) {
            text[random() % text.size()] = kTroublemakers[random() % kTroublemakers.size()];
        }
        variants.push_back(text);
    }
    for (const std::string& text : variants) {
        const std::string once = Resave(text);
        ASSERT_EQ(Resave(once), once) << "input:\n" << text;
    }
}

TEST(SettingsStoreTest, ReadsBomAndCrLfAndWritesLf)
{
    SettingsStore store(Root::CurrentUser, "");
    const RegistryKey key = store.CreateKey("Software\\Spekla");
    store.LoadText(
        "\xEF\xBB\xBFREGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Spekla]\r\n"
        "\"Name\"=\"Fe I\"\r\n\"Bytes\"=hex:0a,\\\r\n  0b\r\n\"Flag\"=dword:00000001\r\r\n");
    EXPECT_EQ(key.GetString("Name"), "Fe I");
    EXPECT_EQ(key.GetDword("Flag"), 1u);
    EXPECT_EQ(store.Text(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n\"Name\"=\"Fe I\"\n"
              "\"Bytes\"=hex:0a,0b\n\"Flag\"=dword:00000001\n\n");
}

TEST(SettingsStoreTest, CanonicalFilesResaveByteForByte)
{
    for (const char* text :
         {// As regedit exports: every key has a section, parents included.
          "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n"
          "\"Linear\"=dword:00000001\n\n[HKEY_CURRENT_USER\\Software\\Spekla\\Empty]\n\n",
          // A subkey before its parent, the root's own values, a key of the other root.
          "REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\B]\n@=\"b\"\n\n[HKEY_CURRENT_USER\\A]\n@=\"a\"\n\n"
          "[HKEY_CLASSES_ROOT\\.wtb]\n@=\"x\"\n\n[HKEY_CURRENT_USER]\n\"Top\"=\"\"\n\n",
          // A wrapped binary value exactly as this store writes it.
          "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla\\Data Window]\n"
          "\"Font data\"=hex:f4,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,90,01,00,00,00,\\\n"
          "  00,00,00,00,00,00,00,41,72,69,61,6c,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\n"
          "  00,00,00,00,00,00,00,00,00,00,00,00,00,00\n\n"}) {
        EXPECT_EQ(Resave(text), text);
    }
}

TEST(SettingsStoreTest, LoadReplacesContentsAndFailsOnlyWhenUnreadable)
{
    TempFolder folder;
    SettingsStore store(Root::CurrentUser, folder.File("absent/file.reg"));
    store.CreateKey("Stale").SetDword("x", 1);
    EXPECT_TRUE(store.Load());  // a missing file is an empty store
    EXPECT_FALSE(store.KeyExists("Stale"));
    EXPECT_FALSE(store.IsModified());
    std::string error;
    EXPECT_FALSE(SettingsStore(Root::CurrentUser, folder.Path()).Load(&error));
    EXPECT_FALSE(error.empty());
}

// The folder follows SPEKLA_CONFIG_DIR, then an absolute XDG_CONFIG_HOME, then HOME; an empty
// or relative value counts as unset.
TEST(SettingsStoreTest, ConfigDirectoryFollowsPrecedence)
{
    constexpr const char* kVariables[] = {"SPEKLA_CONFIG_DIR", "XDG_CONFIG_HOME", "HOME"};
    struct Case {
        const char* values[std::size(kVariables)];  // nullptr: unset
        const char* expected;
    };
    const Case cases[] = {{{"/s", "/x", "/h"}, "/s"},
                          {{"", "/x", "/h"}, "/x/Spekla"},
                          {{nullptr, "/x", "/h"}, "/x/Spekla"},
                          {{nullptr, "", "/h"}, "/h/.config/Spekla"},
                          {{nullptr, "rel", "/h"}, "/h/.config/Spekla"},
                          {{nullptr, nullptr, "/h"}, "/h/.config/Spekla"}};
    const auto set = [](const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    };
    std::optional<std::string> saved[std::size(kVariables)];
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
        const char* old = std::getenv(kVariables[i]);
        saved[i] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < std::size(kVariables); ++i) {
            set(kVariables[i], c.values[i]);
        }
        EXPECT_EQ(SettingsStore::ConfigDirectory(), c.expected);
        EXPECT_EQ(SettingsStore::FilePathFor(Root::ClassesRoot),
                  std::string(c.expected) + "/HKEY_CLASSES_ROOT.reg");
    }
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
        set(kVariables[i], saved[i] ? saved[i]->c_str() : nullptr);
    }
}

// `count` times `text`, joined by `separator`.
std::string Repeated(std::size_t count, std::string_view text, std::string_view separator = "")
{
    std::string result(text);
    for (std::size_t i = 1; i < count; ++i) {
        result.append(separator).append(text);
    }
    return result;
}

std::string Nested(std::size_t depth, std::string_view name)
{
    return Repeated(depth, name, "\\");
}

// Keys within the registry's limits are read; others survive a save unchanged, unread.
TEST(SettingsStoreTest, DeeperOrLongerKeysAreKeptUnread)
{
    const std::pair<std::string, bool> cases[] = {
        // path, read (or kept as unknown text)
        {Nested(512, "k"), true},
        {Nested(513, "k"), false},
        {Nested(100000, "k"), false},
        // Stray continuation bytes are no letters but still make a name.
        {Nested(512, "\x80\x80"), true},
        {"A\\" + std::string(255, 'n'), true},
        {"A\\" + std::string(256, 'n') + "\\B", false},
        {Repeated(255, "\xC3\xA9"), true},
        {Repeated(256, "\xC3\xA9"), false}};
    for (const auto& [path, read] : cases) {
        SCOPED_TRACE(path.substr(0, 20) + "... of " + std::to_string(path.size()) + " bytes");
        const std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + path +
                                 "]\n\"v\"=dword:00000001\n\"Odd\"=hex(2):41,00\n\n";
        SettingsStore store(Root::CurrentUser, "");
        store.LoadText(text);
        EXPECT_EQ(store.KeyExists(path), read);
        EXPECT_EQ(store.GetValue(path, "v"),
                  read ? std::optional(SettingsStore::Value(1u)) : std::nullopt);
        EXPECT_EQ(store.Text(), text);
        store.CreateKey("Software").SetDword("x", 2);
        EXPECT_NE(store.Text().find(text.substr(10)), std::string::npos);
    }
}

// Parents made on the way keep the case the file gave them; the new part keeps the caller's.
TEST(SettingsStoreTest, CreatingBelowAnExistingKeyKeepsItsCase)
{
    SettingsStore store(Root::CurrentUser, "");
    store.LoadText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Soft\\Spek]\n@=\"x\"\n\n");
    EXPECT_EQ(store.CreateKey("SOFT\\spek\\New\\Sub").Path(), "Soft\\Spek\\New\\Sub");
    EXPECT_EQ(store.SubKeyNames("soft\\SPEK"), std::vector<std::string>{"New"});
    EXPECT_EQ(store.SubKeyNames("Soft\\Spek\\new"), std::vector<std::string>{"Sub"});
    EXPECT_EQ(store.CreateKey("Other\\Deep").Path(), "Other\\Deep");
    EXPECT_EQ(store.SubKeyNames(""), (std::vector<std::string>{"Soft", "Other"}));
}

// Values are found by name after deletions move the others.
TEST(SettingsStoreTest, ValuesStayFoundAfterDeletions)
{
    SettingsStore store(Root::CurrentUser, "");
    store.LoadText(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"a\"=dword:00000001\n"
        "\"b\"=dword:00000002\nnot a value\n\"c\"=dword:00000003\n"
        "\"d\"=dword:00000004\n\n");
    EXPECT_TRUE(store.DeleteValue("K", "B"));
    EXPECT_FALSE(store.DeleteValue("K", "b"));
    store.SetValue("K", "C", 30u);
    store.SetValue("K", "e", 5u);
    store.SetValue("K", "B", 20u);
    EXPECT_TRUE(store.DeleteValue("K", "a"));
    EXPECT_EQ(store.ValueNames("K"), (std::vector<std::string>{"c", "d", "e", "B"}));
    EXPECT_EQ((std::vector{store.GetValue("K", "c"), store.GetValue("K", "D"),
                           store.GetValue("K", "e"), store.GetValue("K", "b")}),
              (std::vector<std::optional<SettingsStore::Value>>{30u, 4u, 5u, 20u}));
    EXPECT_EQ(store.Text(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\nnot a value\n"
              "\"c\"=dword:0000001e\n\"d\"=dword:00000004\n\"e\"=dword:00000005\n"
              "\"B\"=dword:00000014\n\n");
}

// The deepest tree goes as a whole and leaves its neighbours and their order alone.
TEST(SettingsStoreTest, DeletingTheDeepestTreeLeavesOnlyTheRest)
{
    SettingsStore store(Root::CurrentUser, "");
    store.LoadText("REGEDIT4\n\n[HKEY_CURRENT_USER\\" + Nested(512, "k") +
                   "]\n@=\"leaf\"\n\n[HKEY_CURRENT_USER\\b]\n\n[HKEY_CURRENT_USER\\a]\n\n");
    EXPECT_EQ(store.SubKeyNames(""), (std::vector<std::string>{"k", "b", "a"}));
    EXPECT_TRUE(store.DeleteKey("K\\k"));
    EXPECT_TRUE(store.KeyExists("k"));
    EXPECT_FALSE(store.KeyExists(Nested(3, "k")));
    EXPECT_TRUE(store.DeleteKey("k"));
    EXPECT_EQ(store.SubKeyNames(""), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(store.Text(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\b]\n\n[HKEY_CURRENT_USER\\a]\n\n");
}

TEST(SettingsStoreTest, MovedStoreKeepsItsKeysAndLeavesAnEmptyOne)
{
    SettingsStore first(Root::CurrentUser, "");
    first.LoadText("REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\B]\n@=\"b\"\n\n");
    SettingsStore second = std::move(first);
    second.CreateKey("a\\C").SetDword("x", 1);
    EXPECT_EQ(second.SubKeyNames("A"), (std::vector<std::string>{"B", "C"}));
    first.CreateKey("Fresh").SetDword("y", 2);
    EXPECT_EQ(first.Text(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Fresh]\n\"y\"=dword:00000002\n\n");
    EXPECT_FALSE(second.KeyExists("Fresh"));
}

}  // namespace
