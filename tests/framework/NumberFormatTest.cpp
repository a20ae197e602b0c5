#include "framework/NumberFormat.h"

#include <gtest/gtest.h>
#include <tuple>

struct PointShownCase {
    double value;
    int significant;
    const char* text;
};

class PointShownTest : public ::testing::TestWithParam<PointShownCase> {};

TEST_P(PointShownTest, MatchesTheStreamShowpointForm)
{
    const auto& c = GetParam();
    EXPECT_EQ(FormatPointShown(c.value, c.significant), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointShownTest,
    ::testing::Values(PointShownCase{4.0, 2, "4.0"}, PointShownCase{10.0, 2, "10."},
                      PointShownCase{0.5, 2, "0.50"}, PointShownCase{1.0, 3, "1.00"},
                      PointShownCase{9.99, 2, "10."},  // rounds up a digit
                      PointShownCase{1234.5, 3, "1.23e+03"}, PointShownCase{0.0001, 2, "0.00010"},
                      PointShownCase{0.00001, 2, "1.0e-05"}, PointShownCase{0.0, 3, "0.00"},
                      PointShownCase{-2.5, 3, "-2.50"}));

TEST(NumberFormatTest, DefaultFormIsShortestWithSixDigits)
{
    EXPECT_EQ(FormatDefault(1.0), "1");
    EXPECT_EQ(FormatDefault(0.25), "0.25");
    EXPECT_EQ(FormatDefault(2.5), "2.5");
    EXPECT_EQ(FormatDefault(1e6), "1e+06");
    EXPECT_EQ(FormatDefault(123456.0), "123456");
    EXPECT_EQ(FormatDefault(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatDefault(0.1 + 0.2), "0.3");
}

TEST(NumberFormatTest, FixedRoundsAndShowsPointOnlyWithDecimals)
{
    EXPECT_EQ(FormatFixed(3961.527, 3), "3961.527");
    EXPECT_EQ(FormatFixed(3961.5275, 0), "3962");
    EXPECT_EQ(FormatFixed(2.25, 1), "2.2");  // exact binary half: to even, like printf
    EXPECT_EQ(FormatFixed(1.0, -2), "1");
    EXPECT_EQ(FormatFixedPoint(3.0, 0), "3.");
    EXPECT_EQ(FormatFixedPoint(19994.44, 1), "19994.4");
}

TEST(NumberFormatTest, ParsesLeadingNumberLikeAtof)
{
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("  3961.5 rest"), 3961.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("+2e3"), 2000.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-0.5x"), -0.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(""), 0.0);
}
