#include "graph/PrintColour.h"

#include <algorithm>
#include <cmath>

Hsv RgbToHsv(const Rgb& rgb)
{
    const double max = std::max({rgb.red, rgb.green, rgb.blue});
    const double min = std::min({rgb.red, rgb.green, rgb.blue});
    Hsv hsv;
    hsv.value = max;
    hsv.saturation = max != 0.0 ? (max - min) / max : 0.0;
    if (hsv.saturation == 0.0) {
        return hsv;
    }
    const double delta = max - min;
    double hue = 0.0;
    if (rgb.red == max) {
        hue = (rgb.green - rgb.blue) / delta;
    } else if (rgb.green == max) {
        hue = 2.0 + (rgb.blue - rgb.red) / delta;
    } else {
        hue = 4.0 + (rgb.red - rgb.green) / delta;
    }
    hue *= 60.0;
    hsv.hue = hue < 0.0 ? hue + 360.0 : hue;
    return hsv;
}

Rgb HsvToRgb(const Hsv& hsv)
{
    const double v = hsv.value;
    if (hsv.saturation == 0.0) {
        return {v, v, v};
    }
    const double h = (hsv.hue == 360.0 ? 0.0 : hsv.hue) / 60.0;
    const int sector = static_cast<int>(std::floor(h));
    const double f = h - sector;
    const double p = v * (1.0 - hsv.saturation);
    const double q = v * (1.0 - hsv.saturation * f);
    const double t = v * (1.0 - hsv.saturation * (1.0 - f));
    switch (sector) {
        case 0:
            return {v, t, p};
        case 1:
            return {q, v, p};
        case 2:
            return {p, v, t};
        case 3:
            return {p, q, v};
        case 4:
            return {t, p, v};
        default:
            return {v, p, q};
    }
}

// The value of a chromatic colour is at most 1, so |100 - value| puts the strongest channel at
// 99 or 100 of 255: dark enough to print, with the hue kept.
Colour PrintColour(Colour colour)
{
    const Hsv hsv = RgbToHsv({colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0});
    if (hsv.hue < 0.0) {
        return {static_cast<std::uint8_t>(255 - colour.red),
                static_cast<std::uint8_t>(255 - colour.green),
                static_cast<std::uint8_t>(255 - colour.blue)};
    }
    const Rgb rgb = HsvToRgb({hsv.hue, hsv.saturation, std::abs(100.0 - hsv.value)});
    const auto channel = [](double value) {
        return static_cast<std::uint8_t>(std::clamp(std::trunc(value), 0.0, 255.0));
    };
    return {channel(rgb.red), channel(rgb.green), channel(rgb.blue)};
}
