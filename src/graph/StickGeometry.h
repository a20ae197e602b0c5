#pragma once

// The shape of the sticks in a plot of a given size: how wide a peak is, how tall a stick must
// be to be drawn at all and to carry a label. All in pixels.
struct StickGeometry {
    // From the client width and height, the range and the line width (Å). Ranges and widths
    // below 0.01 or not finite are taken as 0.01.
    static StickGeometry For(int width, int height, double range, double lineWidth);

    // The height in pixels of a stick of `intensity` (linear scale) in a plot `plotHeight`
    // high where `linearHeight` reaches the top, computed in floating point and limited to
    // 32766 before it becomes an integer; 0 for anything not above 0 or not finite.
    static int StickHeight(double intensity, int plotHeight, double linearHeight);

    bool IsDrawn(int height) const { return height > 0 && height >= minimumLineHeight; }
    bool IsLabelled(int height) const { return height > labelThreshold; }

    int labelThreshold = 0;     // 12 % of the height
    int minimumLineHeight = 0;  // 2 % of the height
    double peakHalfWidth = 0.0;
    double shoulderWidth = 0.0;  // 0.75 of the half width
    double tipWidth = 0.0;       // 0.3 of the half width
};
