#include "graph/OverlayFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct OverlayCase {
    const char* name;
    const char* text;
    OverlayFile::Status status;
    std::vector<std::pair<double, double>> points;  // wavelength, value
};

void PrintTo(const OverlayCase& c, std::ostream* os)
{
    *os << c.name;
}

using Status = OverlayFile::Status;

const OverlayCase kCases[] = {
    {"PairsOnLines", "4226.728 1500\n4227.1 20\n", Status::Read, {{4226.728, 1500}, {4227.1, 20}}},
    {"WindowsLineEnds", "1 2\r\n3 4\r\n", Status::Read, {{1, 2}, {3, 4}}},
    {"SpreadOverLines", "1\n2 3\t\t4", Status::Read, {{1, 2}, {3, 4}}},
    {"LoneLastNumberDropped", "1 2 3", Status::Read, {{1, 2}}},
    {"SortedAscending", "3 30 1 10 2 20", Status::Read, {{1, 10}, {2, 20}, {3, 30}}},
    {"EqualWavelengthsKeepFileOrder", "2 1 1 5 2 2", Status::Read, {{1, 5}, {2, 1}, {2, 2}}},
    {"SignsAndExponents", "+4.5e3 -1E-2", Status::Read, {{4500, -0.01}}},
    {"Empty", "", Status::Read, {}},
    {"OnlyBlanks", " \r\n\t ", Status::Read, {}},
    {"Words", "1 2\nwavelength value\n", Status::BadContent, {}},
    {"NumberWithText", "1 2abc", Status::BadContent, {}},
    {"CommaDecimal", "1,5 2", Status::BadContent, {}},
    {"NotANumber", "1 nan", Status::BadContent, {}},
    {"Infinite", "inf 2", Status::BadContent, {}},
    {"Overflow", "1e400 2", Status::BadContent, {}},
    // 64 characters still make a number; one more is refused rather than read in pieces.
    {"LongestNumber",
     "1 0.00000000000000000000000000000000000000000000000000000000000025",
     Status::Read,
     {{1, 2.5e-61}}},
    {"TooLongForANumber",
     "1 11111111111111111111111111111111111111111111111111111111111111111",
     Status::BadContent,
     {}},
};

class OverlayFileTest : public ::testing::TestWithParam<OverlayCase> {};

}  // namespace

TEST_P(OverlayFileTest, ReadsPairsOrNothing)
{
    std::istringstream in(GetParam().text);
    const OverlayFile::Result result = OverlayFile::Parse(in);
    EXPECT_EQ(result.status, GetParam().status);
    ASSERT_EQ(result.points.size(), GetParam().points.size());
    for (size_t i = 0; i < result.points.size(); ++i) {
        EXPECT_DOUBLE_EQ(result.points[i].wavelength, GetParam().points[i].first) << i;
        EXPECT_DOUBLE_EQ(result.points[i].value, GetParam().points[i].second) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, OverlayFileTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OverlayFileReadTest, MissingFileCannotBeOpened)
{
    EXPECT_EQ(OverlayFile::Read("/nonexistent/folder/scan.txt").status, Status::CannotOpen);
}

// A device that never ends (one endless token of NULs) is refused, not read until memory runs
// out.
TEST(OverlayFileReadTest, EndlessDeviceIsRefused)
{
    EXPECT_EQ(OverlayFile::Read("/dev/zero").status, Status::BadContent);
}
