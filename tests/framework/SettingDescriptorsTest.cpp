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

using DwordCase = ReadCase<std::uint32_t>;
using FlagCase = ReadCase<bool>;
using DoubleCase = ReadCase<double>;
using TextCase = ReadCase<std::string>;

template <class T>
std::string CaseName(const ::testing::TestParamInfo<ReadCase<T>>& info)
{
    return info.param.what;
}

// Stores the case's value, then checks Stored, Read and that reading made no key.
template <class Setting, class T>
void CheckRead(const Setting& setting, const ReadCase<T>& c, const T& defaultValue)
{
    SettingsStore store(SettingsStore::Root::CurrentUser, "");
    if (c.stored) {
        store.SetValue(setting.key, setting.name, *c.stored);
    }
    EXPECT_EQ(setting.Stored(store), c.expected);
    EXPECT_EQ(setting.Read(store), c.expected.value_or(defaultValue));
    EXPECT_EQ(store.KeyExists(setting.key), c.stored.has_value());
}

constexpr DwordSetting kDword{kKey, "Decimals", 3, 1, 4};
constexpr FlagSetting kFlag{kKey, "Scan Range", true, 8};
constexpr DoubleSetting kDouble{kKey, "Minimum", 5.0, 0.0, 100.0};
constexpr StringSetting kString{kKey, "Range", "none", 5};

class DwordSettingTest : public ::testing::TestWithParam<ReadCase<std::uint32_t>> {};
TEST_P(DwordSettingTest, Reads)
{
    CheckRead(kDword, GetParam(), std::uint32_t{3});
}
INSTANTIATE_TEST_SUITE_P(Cases, DwordSettingTest,
                         ::testing::Values(DwordCase{"Missing", {}, {}},
                                           DwordCase{"Text", Value("2"), {}},
                                           DwordCase{"Binary", Value(Bytes(4)), {}},
                                           DwordCase{"BelowMinimum", Value(0u), {}},
                                           DwordCase{"AboveMaximum", Value(5u), {}},
                                           DwordCase{"Minimum", Value(1u), 1u},
                                           DwordCase{"Maximum", Value(4u), 4u}),
                         CaseName<std::uint32_t>);

class FlagSettingTest : public ::testing::TestWithParam<ReadCase<bool>> {};
TEST_P(FlagSettingTest, Reads)
{
    CheckRead(kFlag, GetParam(), true);
}
INSTANTIATE_TEST_SUITE_P(Cases, FlagSettingTest,
                         ::testing::Values(FlagCase{"Missing", {}, {}},
                                           FlagCase{"Text", Value("0"), {}},
                                           FlagCase{"Zero", Value(0u), false},
                                           FlagCase{"One", Value(1u), true},
                                           FlagCase{"CheckMark", Value(8u), true},
                                           FlagCase{"AllBits", Value(0xFFFFFFFFu), true}),
                         CaseName<bool>);

class DoubleSettingTest : public ::testing::TestWithParam<ReadCase<double>> {};
TEST_P(DoubleSettingTest, Reads)
{
    CheckRead(kDouble, GetParam(), 5.0);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleSettingTest,
    ::testing::Values(DoubleCase{"Missing", {}, {}}, DoubleCase{"Dword", Value(12u), {}},
                      DoubleCase{"FourBytes", Value(Bytes{0, 0, 0x48, 0x41}), {}},
                      DoubleCase{"NineBytes", Value(Bytes(9)), {}},
                      DoubleCase{"NotANumber", DoubleBytes(std::nan("")), {}},
                      DoubleCase{
                          "Infinite", DoubleBytes(std::numeric_limits<double>::infinity()), {}},
                      DoubleCase{"BelowMinimum", DoubleBytes(-0.5), {}},
                      DoubleCase{"AboveMaximum", DoubleBytes(100.5), {}},
                      DoubleCase{"InRange", DoubleBytes(12.5), 12.5},
                      DoubleCase{"Maximum", DoubleBytes(100.0), 100.0}),
    CaseName<double>);

class StringSettingTest : public ::testing::TestWithParam<ReadCase<std::string>> {};
TEST_P(StringSettingTest, Reads)
{
    CheckRead(kString, GetParam(), std::string("none"));
}
INSTANTIATE_TEST_SUITE_P(
    Cases, StringSettingTest,
    ::testing::Values(TextCase{"Missing", {}, {}}, TextCase{"Dword", Value(1u), {}},
                      TextCase{"Empty", Value(""), ""},  // present, not the default
                      TextCase{"Short", Value("3900"), "3900"},
                      TextCase{"Long", Value("3900-4000"), "3900-"},
                      // "Å" is two bytes: the cut comes before it, never through it.
                      TextCase{"LongCutBeforeACharacter", Value("3900Å"), "3900"}),
    CaseName<std::string>);

}  // namespace

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

namespace {

// The data of a hand-edited line, given to each descriptor's value, and what each reads.
struct EditedCase {
    const char* what;
    const char* data;
    std::optional<std::uint32_t> dword;
    std::optional<bool> flag;
    std::optional<double> number;
    std::optional<std::string> text;
};

class HandEditedTest : public ::testing::TestWithParam<EditedCase> {};

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

}  // namespace

// Values edited by hand in the file: anything out of range or of another type reads as the
// default, never as a number the program did not write.
TEST_P(HandEditedTest, FallsBackToDefaults)
{
    const EditedCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Cases, HandEditedTest, ::testing::ValuesIn(kEditedCases),
                         [](const auto& info) { return std::string(info.param.what); });
