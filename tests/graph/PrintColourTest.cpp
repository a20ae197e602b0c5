#include "graph/PrintColour.h"

#include <gtest/gtest.h>

// Greys invert; colours keep hue and saturation at a dark value.
TEST(PrintColourTest, ScreenColourBecomesInkForWhitePaper)
{
    const std::pair<Colour, Colour> cases[] = {
        {{192, 192, 192}, {63, 63, 63}}, {{255, 255, 255}, {0, 0, 0}}, {{0, 0, 0}, {255, 255, 255}},
        {{255, 255, 128}, {99, 99, 49}}, {{255, 0, 0}, {99, 0, 0}},    {{0, 0, 255}, {0, 0, 99}},
        {{255, 0, 255}, {99, 0, 99}}};
    for (const auto& [screen, paper] : cases) {
        EXPECT_EQ(PrintColour(screen), paper) << screen.Reference();
    }
}

// Every hue sector comes back to its colour.
TEST(HsvTest, RoundTripsThroughEverySector)
{
    for (const Rgb& rgb : {Rgb{1.0, 0.5, 0.2}, Rgb{0.5, 1.0, 0.2}, Rgb{0.2, 1.0, 0.5},
                           Rgb{0.2, 0.5, 1.0}, Rgb{0.5, 0.2, 1.0}, Rgb{1.0, 0.2, 0.5}}) {
        const Rgb back = HsvToRgb(RgbToHsv(rgb));
        EXPECT_NEAR(back.red, rgb.red, 1e-12);
        EXPECT_NEAR(back.green, rgb.green, 1e-12);
        EXPECT_NEAR(back.blue, rgb.blue, 1e-12);
    }
    EXPECT_EQ(RgbToHsv({0.4, 0.4, 0.4}).hue, -1.0);
    EXPECT_DOUBLE_EQ(HsvToRgb({360.0, 1.0, 1.0}).red, 1.0);  // 360 counts as 0
}
