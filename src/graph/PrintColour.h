#pragma once

#include "graph/Colour.h"

// Colours for white paper: a screen colour made for the black plot becomes a dark shade of the
// same hue (its strongest channel about 100 of 255); black, greys and white are inverted.
Colour PrintColour(Colour colour);

struct Hsv {
    double hue = -1.0;  // degrees, 0 to below 360; -1 for black, greys and white
    double saturation = 0.0;
    double value = 0.0;  // on the scale of the channels it came from
};

struct Rgb {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

Hsv RgbToHsv(const Rgb& rgb);
Rgb HsvToRgb(const Hsv& hsv);
