#include "framework/DoubleRange.h"

#include <cmath>
#include <gtest/gtest.h>

struct RangeCase {
    double min;
    double max;
    const char* text;
    bool typable;
    bool valid;
};

class DoubleRangeTextTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(DoubleRangeTextTest, TypingAndValidity)
{
    const auto& c = GetParam();
    const DoubleRange range(c.min, c.max);
    EXPECT_EQ(range.AllowsTyping(c.text), c.typable) << '"' << c.text << '"';
    EXPECT_EQ(range.IsValid(c.text), c.valid) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleRangeTextTest,
    ::testing::Values(
        // Both ends belong to the range.
        RangeCase{0, 1000, "0", true, true}, RangeCase{0, 1000, "1000", true, true},
        RangeCase{0, 1000, "1000.001", true, false}, RangeCase{0, 1000, "2.5", true, true},
        // No minus sign when nothing below zero is allowed; no plus when nothing above is.
        RangeCase{0, 1000, "-1", false, false}, RangeCase{0, 1000, "+5", true, true},
        RangeCase{-10, -1, "+5", false, false}, RangeCase{-10, -1, "-5", true, true},
        RangeCase{-10, 10, "-10", true, true}, RangeCase{-10, 10, "-10.5", true, false},
        RangeCase{-1, 0, "+0", true, true},
        // Read like atof: the leading number, 0 when there is none.
        RangeCase{0, 1000, "", true, true}, RangeCase{1, 1000, "", true, false},
        RangeCase{0, 1000, ".", true, true}, RangeCase{1, 10, "1.2.3", true, true},
        RangeCase{1, 10, ".5", true, false}, RangeCase{-5, 5, "-", true, true},
        RangeCase{-10, 10, "5-", true, true},
        // Exponents, decimal commas, blanks and letters cannot be typed, even when read in range.
        RangeCase{0, 100000, "1e3", false, false}, RangeCase{0, 10, "1,5", false, false},
        RangeCase{0, 10, " 5", false, false}, RangeCase{0, 10, "5 ", false, false},
        RangeCase{0, 10, "inf", false, false}, RangeCase{0, 10, "0x1", false, false}));

TEST(DoubleRangeTest, ErrorTextNamesTheLimitsInTheShortForm)
{
    EXPECT_EQ(DoubleRange(0, 100000).ErrorText(), "Value must lie with the range 0 to 100000.");
    EXPECT_EQ(DoubleRange(-2.5, 0.125).ErrorText(), "Value must lie with the range -2.5 to 0.125.");
    EXPECT_EQ(DoubleRange(0, 1e7).ErrorText(), "Value must lie with the range 0 to 1e+07.");
}

struct AdjustCase {
    const char* text;
    double amount;
    double expected;
};

class DoubleRangeAdjustTest : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(DoubleRangeAdjustTest, StepsAndStaysInTheRange)
{
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(DoubleRange(-1, 10).Adjusted(c.text, c.amount), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DoubleRangeAdjustTest,
                         ::testing::Values(AdjustCase{"2.5", 1, 3.5}, AdjustCase{"2.5", -0.5, 2},
                                           AdjustCase{"9.5", 1, 10}, AdjustCase{"-0.5", -1, -1},
                                           AdjustCase{"", 0.25, 0.25},     // empty reads 0
                                           AdjustCase{"50", 0, 10},        // out of range already
                                           AdjustCase{"3.1.4", 1, 4.1}));  // leading number only

struct TextOfCase {
    double min;
    double max;
    double value;
    const char* expected;
};

class DoubleRangeTextOfTest : public ::testing::TestWithParam<TextOfCase> {};

// A field filled with TextOf must pass its own check on OK, so every text must be valid.
TEST_P(DoubleRangeTextOfTest, ShowsTheValueInsideTheRangeWithoutAnExponent)
{
    const auto& c = GetParam();
    const DoubleRange range(c.min, c.max);
    EXPECT_EQ(range.TextOf(c.value), c.expected);
    EXPECT_TRUE(range.IsValid(range.TextOf(c.value)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleRangeTextOfTest,
    ::testing::Values(TextOfCase{0.01, 10, 0.9, "0.9"}, TextOfCase{0.01, 100000, 100000, "100000"},
                      TextOfCase{-10, 10, -2.5, "-2.5"},
                      // Outside the range: the nearer limit.
                      TextOfCase{0.01, 10, 25, "10"}, TextOfCase{0.01, 10, 1e-5, "0.01"},
                      TextOfCase{10, 100000, 5, "10"}, TextOfCase{0.01, 10, std::nan(""), "0.01"},
                      // Where the short form needs an exponent, the fixed form.
                      TextOfCase{0, 1, 1e-5, "0.00001"}, TextOfCase{0, 1e9, 1.5e7, "15000000"},
                      TextOfCase{0, 1e7, 1234567, "1234567"},
                      // A negative zero would carry a sign the range refuses.
                      TextOfCase{0, 10, -0.0, "0"}));
