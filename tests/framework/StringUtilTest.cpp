#include "framework/StringUtil.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(StringUtilTest, SplitLinesDropsLineEndsOfEitherKind)
{
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\r\nb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("\n"), Lines{""});
}

TEST(StringUtilTest, BlanksAndCase)
{
    EXPECT_EQ(StripBlanks("  Fe I \t "), "Fe I \t");  // blanks only, as the text files mean
    EXPECT_EQ(StripBlanks("   "), "");
    EXPECT_TRUE(EqualsIgnoringCase("Display as", "Display As"));
    EXPECT_FALSE(EqualsIgnoringCase("Fe", "Fe "));
    EXPECT_EQ(ToUpper("goto 3961.5"), "GOTO 3961.5");
    EXPECT_EQ(ToLower("Sample.SWT"), "sample.swt");
}

TEST(StringUtilTest, HomeFolderExpandsOnlyAtTheStart)
{
    EXPECT_EQ(ExpandHomeFolder("~/sel/a.sef", "/home/u"), "/home/u/sel/a.sef");
    EXPECT_EQ(ExpandHomeFolder("~", "/home/u"), "/home/u");
    EXPECT_EQ(ExpandHomeFolder("~other/a.sef", "/home/u"), "~other/a.sef");
    EXPECT_EQ(ExpandHomeFolder("sel/~/a.sef", "/home/u"), "sel/~/a.sef");
}

TEST(StringUtilTest, Utf8PrefixNeverCutsACharacter)
{
    const std::string text = "a\u00C5\u20AC\U0001F600";  // 1, 2, 3 and 4 bytes
    EXPECT_EQ(Utf8Prefix(text, 100), text);
    EXPECT_EQ(Utf8Prefix(text, 10), text);
    EXPECT_EQ(Utf8Prefix(text, 9), "a\u00C5\u20AC");
    EXPECT_EQ(Utf8Prefix(text, 6), "a\u00C5\u20AC");
    EXPECT_EQ(Utf8Prefix(text, 5), "a\u00C5");
    EXPECT_EQ(Utf8Prefix(text, 2), "a");
    EXPECT_EQ(Utf8Prefix(text, 0), "");
    // Not UTF-8 (Latin-1 degree signs): cut where the limit falls.
    EXPECT_EQ(Utf8Prefix("\xB0\xB0\xB0\xB0\xB0\xB0", 5), "\xB0\xB0\xB0\xB0\xB0");
}
