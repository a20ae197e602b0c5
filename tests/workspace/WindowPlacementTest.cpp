#include "workspace/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacementTest, RoundTripsThroughFortyFourBytes)
{
    WindowPlacement placement;
    placement.showCommand = WindowPlacement::kShowMaximized;
    placement.left = -20;
    placement.top = 30;
    placement.right = 1000;
    placement.bottom = 800;
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

TEST(WindowPlacementTest, RejectsDamagedRecords)
{
    WindowPlacement placement;
    placement.right = 640;
    placement.bottom = 480;
    std::vector<uint8_t> bytes = placement.ToBytes();
    EXPECT_TRUE(WindowPlacement::FromBytes(bytes).has_value());
    bytes[0] = 40;  // wrong length field
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes).has_value());
    bytes[0] = 44;
    bytes.pop_back();
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes).has_value());
    WindowPlacement empty;  // zero-sized rectangle
    EXPECT_FALSE(WindowPlacement::FromBytes(empty.ToBytes()).has_value());
}

// A hand-edited rectangle out of any screen's reach, up to the widest the numbers allow.
TEST(WindowPlacementTest, RejectsRectanglesBeyondAnyScreen)
{
    constexpr int32_t kLimit = WindowPlacement::kMaxCoordinate;
    const struct {
        int32_t left, top, right, bottom;
        bool accepted;
    } cases[] = {
        {-kLimit, -kLimit, kLimit, kLimit, true},
        {-kLimit - 1, 0, 640, 480, false},
        {0, 0, kLimit + 1, 480, false},
        {0, -kLimit - 1, 640, 480, false},
        {0, 0, 640, INT32_MAX, false},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, false},
    };
    for (const auto& c : cases) {
        WindowPlacement placement;
        placement.left = c.left;
        placement.top = c.top;
        placement.right = c.right;
        placement.bottom = c.bottom;
        EXPECT_EQ(WindowPlacement::FromBytes(placement.ToBytes()).has_value(), c.accepted)
            << c.left << "," << c.top << " " << c.right << "," << c.bottom;
    }
}
