#pragma once

#include "analysis/OverlayFile.h"

#include <cstddef>
#include <vector>

// How the measured points in view are drawn. A measured spectrum is dense (its points closer
// than the line width) and is drawn as a curve through its points; a peak list is sparse and
// drawn as sticks, like the lines. Unless it shares the lines' scale, the overlay has its own,
// fitted so that its highest point in view stands at 90 % of the plot.
class OverlayView {
public:
    enum class Style { Automatic = 0, Curve = 1, Sticks = 2 };

    struct Plot {
        double origin = 0.0;        // Å at the left edge
        double range = 4.0;         // Å across
        int width = 1;              // pixels
        int height = 1;             // pixels from the bottom to the top of the plot
        double lineWidth = 0.9;     // Å
        double linearHeight = 150;  // the lines' intensity at the top of the plot
    };
    // A point of the curve in pixels: x from the left edge, y up from the bottom.
    struct Vertex {
        double x = 0.0;
        double y = 0.0;
    };

    // `points` sorted by wavelength; they must outlive the view.
    OverlayView(const std::vector<OverlayData>& points, const Plot& plot, Style style,
                bool onLineScale);

    bool AsCurve() const { return m_asCurve; }
    // The points between the plot's edges, in order.
    const OverlayData* begin() const { return m_first; }
    const OverlayData* end() const { return m_last; }
    double X(double wavelength) const;
    // Pixels above the bottom for a value; a negative value of a spectrum lies below its zero.
    double Y(double value) const;
    // The curve through the points in view and the one beyond each edge, at most two vertices
    // (lowest and highest) per pixel column plus the first and last of each, so that a curve of a
    // million points costs no more than one of a few thousand and keeps every peak.
    std::vector<Vertex> Curve() const;
    // The values at the bottom and the top of the plot, in the overlay's own units.
    double Bottom() const { return m_bottom; }
    double Top() const { return m_top; }
    bool OwnScale() const { return m_ownScale; }

private:
    const OverlayData* m_first = nullptr;
    const OverlayData* m_last = nullptr;
    const OverlayData* m_all = nullptr;
    const OverlayData* m_allEnd = nullptr;
    Plot m_plot;
    bool m_asCurve = false;
    bool m_ownScale = false;
    double m_bottom = 0.0;  // the value at the bottom of the plot
    double m_top = 1.0;     // the value at the top
};
