#include "analysis/OverlayFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct OverlayCase {
    const char* text;
    OverlayFile::Status status;
    std::vector<std::pair<double, double>> points;  // wavelength, value
    size_t headerLines = 0;
};

using Status = OverlayFile::Status;

// Pairs may spread over lines and a lone last number is dropped; pairs are sorted by wavelength,
// equal ones kept in file order. Lines before the first number are skipped and counted; after
// it a word, a decimal comma (blanks and commas both separating on a line), NaN, infinity or an
// overflow is bad content.
const OverlayCase kCases[] = {
    {"4226.728 1500\n4227.1 20\n", Status::Read, {{4226.728, 1500}, {4227.1, 20}}},
    {"1 2\r\n3 4\r\n", Status::Read, {{1, 2}, {3, 4}}},
    {"1\n2 3\t\t4", Status::Read, {{1, 2}, {3, 4}}},
    {"1 2 3", Status::Read, {{1, 2}}},
    {"3 30 1 10 2 20", Status::Read, {{1, 10}, {2, 20}, {3, 30}}},
    {"2 1 1 5 2 2", Status::Read, {{1, 5}, {2, 1}, {2, 2}}},
    {"+4.5e3 -1E-2", Status::Read, {{4500, -0.01}}},
    {"", Status::Read, {}},
    {" \r\n\t ", Status::Read, {}},
    {"1 2\nwavelength value\n", Status::BadContent, {}},
    {"# scan 7\n\nnm,counts\n4226.7, 1500\n4227.1;20\n",
     Status::Read,
     {{4226.7, 1500}, {4227.1, 20}},
     2},
    {"4226,728 1500,5\n", Status::BadContent, {}},
    {"1 2abc", Status::BadContent, {}},
    {"1,5 2", Status::BadContent, {}},
    {"1 nan", Status::BadContent, {}},
    {"1 2\ninf 2", Status::BadContent, {}},
    {"1e400 2", Status::BadContent, {}},
    // 64 characters still make a number; one more is refused rather than read in pieces.
    {"1 0.00000000000000000000000000000000000000000000000000000000000025",
     Status::Read,
     {{1, 2.5e-61}}},
    {"1 11111111111111111111111111111111111111111111111111111111111111111", Status::BadContent, {}},
};

}  // namespace

TEST(OverlayFileTest, ReadsPairsOrNothing)
{
    for (const OverlayCase& c : kCases) {
        std::istringstream in(c.text);
        const OverlayFile::Result result = OverlayFile::Parse(in);
        EXPECT_EQ(result.status, c.status) << c.text;
        std::vector<std::pair<double, double>> points;
        for (const auto& point : result.points) {
            points.emplace_back(point.wavelength, point.value);
        }
        EXPECT_EQ(points, c.points) << c.text;
        EXPECT_EQ(result.headerLines, c.headerLines) << c.text;
    }
}

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

// A FIFO no program writes reads as empty at once; waiting for a writer would hang the program
// (the alarm ends the test instead).
TEST(OverlayFileReadTest, FifoWithoutWriterDoesNotBlock)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("scan").c_str(), 0600), 0);
    ::alarm(10);
    const OverlayFile::Result read = OverlayFile::Read(folder.File("scan"));
    ::alarm(0);
    EXPECT_EQ(read.status, Status::Read);
    EXPECT_TRUE(read.points.empty());
}
