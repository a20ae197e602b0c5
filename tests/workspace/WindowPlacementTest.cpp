#include "workspace/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

WindowPlacement Placement(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    WindowPlacement placement;
    placement.left = left;
    placement.top = top;
    placement.right = right;
    placement.bottom = bottom;
    return placement;
}

}  // namespace

TEST(WindowPlacementTest, RoundTripsThroughFortyFourBytes)
{
    WindowPlacement placement = Placement(-20, 30, 1000, 800);
    placement.showCommand = WindowPlacement::kShowMaximized;
    const std::vector<uint8_t> bytes = placement.ToBytes();
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes[0], 44);
    EXPECT_EQ(bytes[28], 0xEC);  // -20, little-endian
    const auto back = WindowPlacement::FromBytes(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->showCommand, WindowPlacement::kShowMaximized);
    EXPECT_EQ(back->left, -20);
    EXPECT_EQ(back->bottom, 800);
    EXPECT_EQ(back->minPosition[0], -1);
}

// A damaged record, an empty rectangle, or a hand-edited one out of any screen's reach (up to
// the widest the numbers allow) is refused.
TEST(WindowPlacementTest, RejectsDamagedRecordsAndRectanglesBeyondAnyScreen)
{
    std::vector<uint8_t> bytes = Placement(0, 0, 640, 480).ToBytes();
    EXPECT_TRUE(WindowPlacement::FromBytes(bytes).has_value());
    bytes[0] = 40;  // wrong length field
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes).has_value());
    bytes[0] = 44;
    bytes.pop_back();
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes).has_value());
    EXPECT_FALSE(WindowPlacement::FromBytes(WindowPlacement().ToBytes()).has_value());

    constexpr int32_t kLimit = WindowPlacement::kMaxCoordinate;
    EXPECT_TRUE(WindowPlacement::FromBytes(Placement(-kLimit, -kLimit, kLimit, kLimit).ToBytes()));
    for (const WindowPlacement& beyond :
         {Placement(-kLimit - 1, 0, 640, 480), Placement(0, 0, kLimit + 1, 480),
          Placement(0, -kLimit - 1, 640, 480), Placement(0, 0, 640, INT32_MAX),
          Placement(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX)}) {
        EXPECT_FALSE(WindowPlacement::FromBytes(beyond.ToBytes()))
            << beyond.left << "," << beyond.top << " " << beyond.right << "," << beyond.bottom;
    }
}
