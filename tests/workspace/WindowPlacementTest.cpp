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
