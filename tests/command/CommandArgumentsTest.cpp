#include "command/CommandArguments.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace CommandArguments;

// Read as atof reads, but INF and NAN are never numbers and overflow is never a finite value.
TEST(CommandArgumentsTest, LeadingNumberReadsTheLeadingNumber)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"3961.5", 3961.5},    {"  +12 rest", 12.0},  {"-2.5e1x", -25.0},     {".5", 0.5},
        {"4000 5000", 4000.0}, {"1E-400", 0.0},       {"1E999", HUGE_VAL},    {"-1E999", -HUGE_VAL},
        {"INF", std::nullopt}, {"nan", std::nullopt}, {"-inf", std::nullopt}, {"X", std::nullopt},
        {"", std::nullopt},    {"-", std::nullopt}};
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(LeadingNumber(text), number) << text;
    }
}

// Integers are the leading digits, as atol reads them; too many digits saturate.
TEST(CommandArgumentsTest, IntegersAreTheLeadingDigits)
{
    EXPECT_EQ(LeadingInteger(" +4.9"), 4);
    EXPECT_EQ(LeadingInteger("-4.9"), -4);
    EXPECT_EQ(LeadingInteger("3E1"), 3);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), std::numeric_limits<long long>::max());
    EXPECT_EQ(LeadingInteger("-99999999999999999999999"), std::numeric_limits<long long>::min());
    EXPECT_FALSE(LeadingInteger("NAN").has_value());
    EXPECT_FALSE(LeadingInteger(".5").has_value());
}

TEST(CommandArgumentsTest, RepeatCountIsOneUnlessAllDigits)
{
    EXPECT_EQ(RepeatCount(""), 1);
    EXPECT_EQ(RepeatCount("3"), 3);
    EXPECT_EQ(RepeatCount("0"), 0);
    EXPECT_EQ(RepeatCount("-3"), 1);
    EXPECT_EQ(RepeatCount("3 4"), 1);
    EXPECT_EQ(RepeatCount("4000000000"), std::numeric_limits<int>::max());
    EXPECT_EQ(RepeatCount(std::string(400, '9')), std::numeric_limits<int>::max());
}

TEST(CommandArgumentsTest, WordsAndSwitches)
{
    EXPECT_EQ(Words(" FE,CU  NI ", true), (std::vector<std::string>{"FE", "CU", "NI"}));
    EXPECT_EQ(Words("FE,CU NI", false), (std::vector<std::string>{"FE,CU", "NI"}));
    EXPECT_EQ(WordsAtEachBlank("a  b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(WordsAtEachBlank("x \"a b"), std::nullopt);
    EXPECT_EQ(WordsAtEachBlank("\"\"  \"a b\""), (std::vector<std::string>{"", "", "a b"}));
    EXPECT_EQ(FileName("a \"b\""), "a \"b\"");
    EXPECT_EQ(FileName("\"a\"b"), std::nullopt);
    EXPECT_EQ(ReadSwitch("yes"), Switch::On);
    EXPECT_EQ(ReadSwitch("Off"), Switch::Off);
    EXPECT_EQ(ReadSwitch("ON "), Switch::None);
}
