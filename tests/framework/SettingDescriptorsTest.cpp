#include "framework/SettingDescriptors.h"
#include "framework/SettingsStore.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Value = SettingsStore::Value;

constexpr std::string_view kKey = "Software\\Spekla\\Test";

Bytes DoubleBytes(double value)
{
    Bytes bytes(8);
    std::memcpy(bytes.data(), &value, bytes.size());  // the test machine is little-endian
    return bytes;
}

// A value as found in the store (nothing: missing), and what the descriptor should make of it.
template <class T>
struct ReadCase {
    const char* what;
    std::optional<Value> stored;
    std::optional<T> expected;  // nothing: Read gives the default
};

// Stores each case's value, then checks Stored, Read and that reading made no key.
template <class Setting, class T>
void CheckReads(const Setting& setting, const T& defaultValue,
                std::initializer_list<ReadCase<T>> cases)
{
    for (const ReadCase<T>& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore store(SettingsStore::Root::CurrentUser, "");
        if (c.stored) {
            store.SetValue(setting.key, setting.name, *c.stored);
        }
        EXPECT_EQ(setting.Stored(store), c.expected);
        EXPECT_EQ(setting.Read(store), c.expected.value_or(defaultValue));
        EXPECT_EQ(store.KeyExists(setting.key), c.stored.has_value());
    }
}

constexpr DwordSetting kDword{kKey, "Decimals", 3, 1, 4};
constexpr FlagSetting kFlag{kKey, "Scan Range", true, 8};
constexpr DoubleSetting kDouble{kKey, "Minimum", 5.0, 0.0, 100.0};
constexpr StringSetting kString{kKey, "Range", "none", 5};

TEST(SettingDescriptorsTest, DwordReadsOnlyDwordsInRange)
{
    CheckReads<DwordSetting, std::uint32_t>(kDword, 3,
                                            {{"Missing", {}, {}},
                                             {"Text", Value("2"), {}},
                                             {"Binary", Value(Bytes(4)), {}},
                                             {"BelowMinimum", Value(0u), {}},
                                             {"AboveMaximum", Value(5u), {}},
                                             {"Minimum", Value(1u), 1u},
                                             {"Maximum", Value(4u), 4u}});
}

TEST(SettingDescriptorsTest, FlagReadsAnyNonzeroDwordAsSet)
{
    CheckReads<FlagSetting, bool>(kFlag, true,
                                  {{"Missing", {}, {}},
                                   {"Text", Value("0"), {}},
                                   {"Zero", Value(0u), false},
                                   {"One", Value(1u), true},
                                   {"CheckMark", Value(8u), true},
                                   {"AllBits", Value(0xFFFFFFFFu), true}});
}

TEST(SettingDescriptorsTest, DoubleReadsOnlyEightBytesOfAFiniteNumberInRange)
{
    CheckReads<DoubleSetting, double>(
        kDouble, 5.0,
        {{"Missing", {}, {}},
         {"Dword", Value(12u), {}},
         {"FourBytes", Value(Bytes{0, 0, 0x48, 0x41}), {}},
         {"NineBytes", Value(Bytes(9)), {}},
         {"NotANumber", DoubleBytes(std::nan("")), {}},
         {"Infinite", DoubleBytes(std::numeric_limits<double>::infinity()), {}},
         {"BelowMinimum", DoubleBytes(-0.5), {}},
         {"AboveMaximum", DoubleBytes(100.5), {}},
         {"InRange", DoubleBytes(12.5), 12.5},
         {"Maximum", DoubleBytes(100.0), 100.0}});
}

TEST(SettingDescriptorsTest, StringReadsTextCutToItsLength)
{
    CheckReads<StringSetting, std::string>(
        kString, "none",
        {{"Missing", {}, {}},
         {"Dword", Value(1u), {}},
         {"Empty", Value(""), ""},  // present, not the default
         {"Short", Value("3900"), "3900"},
         {"Long", Value("3900-4000"), "3900-"},
         // "Å" is two bytes: the cut comes before it, never through it.
         {"LongCutBeforeACharacter", Value("3900Å"), "3900"}});
}

TEST(BinarySettingTest, OnlyTheFixedSizeReads)
{
    const BinarySetting setting{kKey, "Placement", 4};
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    EXPECT_EQ(setting.Stored(store), std::nullopt);
    for (const Value& wrong : {Value(Bytes(3)), Value(Bytes(5)), Value(4u), Value("abcd")}) {
        store.SetValue(kKey, "Placement", wrong);
        EXPECT_EQ(setting.Stored(store), std::nullopt);
    }
    setting.Write(store, Bytes{1, 2, 3, 4});
    EXPECT_EQ(setting.Stored(store), (Bytes{1, 2, 3, 4}));
}

// Written values come back from the file the next run reads, with the stored types.
TEST(SettingDescriptorsTest, WrittenValuesSurviveTheFile)
{
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    kDword.Write(store, 2);
    kFlag.Write(store, true);
    kDouble.Write(store, 0.1);
    kString.Write(store, "3900-4000");
    FlagSetting{kKey, "Off", true, 8}.Write(store, false);

    SettingsStore next(SettingsStore::Root::CurrentUser, "");
    next.LoadText(store.Text());
    EXPECT_EQ(kDword.Stored(next), 2u);
    EXPECT_EQ(next.GetValue(kKey, "Scan Range"), Value(8u));
    EXPECT_EQ(next.GetValue(kKey, "Off"), Value(0u));
    EXPECT_EQ(kDouble.Stored(next), 0.1);  // bit for bit
    EXPECT_EQ(next.GetValue(kKey, "Range"), Value("3900-"));
}

// The data of a hand-edited line, given to each descriptor's value, and what each reads.
struct EditedCase {
    const char* what;
    const char* data;
    std::optional<std::uint32_t> dword;
    std::optional<bool> flag;
    std::optional<double> number;
    std::optional<std::string> text;
};

const EditedCase kEditedCases[] = {
    {"Negative", "dword:-1", {}, {}, {}, {}},
    {"AllBits", "dword:ffffffff", {}, true, {}, {}},
    {"NineDigits", "dword:100000000", {}, {}, {}, {}},
    {"CPrefix", "dword:0x2", {}, {}, {}, {}},
    {"Blank", "dword: 2", {}, {}, {}, {}},
    {"UpperCase", "DWORD:0000000A", {}, true, {}, {}},
    {"InRange", "dword:00000002", 2u, true, {}, {}},
    {"NothingAfterEquals", "", {}, {}, {}, {}},
    {"EmptyDword", "dword:", {}, {}, {}, {}},
    {"EmptyHex", "hex:", {}, {}, {}, {}},
    {"EmptyText", "\"\"", {}, {}, {}, ""},
    {"NumberAsText", "\"2\"", {}, {}, {}, "2"},
    {"HugeDouble", "hex:9c,75,00,88,3c,e4,37,7e", {}, {}, {}, {}},
    {"NegativeDouble", "hex:00,00,00,00,00,00,f0,bf", {}, {}, {}, {}},
    {"GoodDouble", "hex:00,00,00,00,00,00,29,40", {}, {}, 12.5, {}},
    {"ForeignType", "hex(2):41,00", {}, {}, {}, {}},
};

// Values edited by hand in the file: anything out of range or of another type reads as the
// default, never as a number the program did not write.
TEST(SettingDescriptorsTest, HandEditedValuesFallBackToDefaults)
{
    for (const EditedCase& c : kEditedCases) {
        SCOPED_TRACE(c.what);
        std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + std::string(kKey) + "]\n";
        for (const std::string_view name : {kDword.name, kFlag.name, kDouble.name, kString.name}) {
            text += "\"" + std::string(name) + "\"=" + c.data + "\n";
        }
        SettingsStore store(SettingsStore::Root::CurrentUser, "");
        store.LoadText(text);
        EXPECT_EQ(kDword.Read(store), c.dword.value_or(kDword.defaultValue));
        EXPECT_EQ(kFlag.Read(store), c.flag.value_or(kFlag.defaultValue));
        EXPECT_EQ(kDouble.Read(store), c.number.value_or(kDouble.defaultValue));
        EXPECT_EQ(kString.Read(store), c.text.value_or(std::string(kString.defaultValue)));
    }
}

}  // namespace
