#include "graph/OverlayView.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// 20,000 points of one Gaussian of FWHM 0.5 Å at 4358.335 Å on a flat base of 100.
std::vector<OverlayData> MeasuredPeak()
{
    std::vector<OverlayData> points;
    const double sigma = 0.5 / (2.0 * std::sqrt(2.0 * std::log(2.0)));
    for (int i = 0; i < 20000; ++i) {
        const double wavelength = 4348.335 + 0.001 * i;
        const double offset = (wavelength - 4358.335) / sigma;
        points.push_back({wavelength, 100.0 + 5000.0 * std::exp(-0.5 * offset * offset)});
    }
    return points;
}

}  // namespace

// A dense spectrum is one curve, truthful in width and fitted to the plot: its peak at 90 %, its
// width at half height that of the data, and no more than four vertices a pixel column.
TEST(OverlayViewTest, DenseSpectrumIsACurveOfItsTrueWidth)
{
    const std::vector<OverlayData> points = MeasuredPeak();
    const OverlayView::Plot plot{4356.335, 4.0, 1000, 500, 0.9, 150.0};
    const OverlayView view(points, plot, OverlayView::Style::Automatic, false);
    ASSERT_TRUE(view.AsCurve());
    const std::vector<OverlayView::Vertex> curve = view.Curve();
    EXPECT_LE(curve.size(), 4u * 1002);
    double peak = 0.0;
    double left = 1e9;
    double right = -1e9;
    for (const OverlayView::Vertex& vertex : curve) {
        peak = std::max(peak, vertex.y);
    }
    const double halfHeight = view.Y(100.0 + 2500.0);
    for (const OverlayView::Vertex& vertex : curve) {
        if (vertex.y >= halfHeight) {
            left = std::min(left, vertex.x);
            right = std::max(right, vertex.x);
        }
    }
    EXPECT_NEAR(peak, 0.9 * plot.height, 1.0);
    EXPECT_NEAR((right - left) * plot.range / plot.width, 0.5, 0.01);
    // On the lines' scale the same points stand where a line of that intensity would.
    const OverlayView shared(points, plot, OverlayView::Style::Automatic, true);
    EXPECT_DOUBLE_EQ(shared.Y(150.0), plot.height);
}

// A peak list, its points further apart than the line width, keeps its sticks unless a curve
// is asked for.
TEST(OverlayViewTest, SparsePointsAreSticks)
{
    const std::vector<OverlayData> peaks{{4357.0, 10.0}, {4358.5, 40.0}, {4360.0, -5.0}};
    const OverlayView::Plot plot{4356.335, 4.0, 1000, 500, 0.9, 150.0};
    const OverlayView view(peaks, plot, OverlayView::Style::Automatic, false);
    EXPECT_FALSE(view.AsCurve());
    EXPECT_EQ(view.end() - view.begin(), 3);
    EXPECT_NEAR(view.Y(40.0), 0.9 * plot.height, 1e-9);
    EXPECT_DOUBLE_EQ(view.Y(-5.0), 0.0);  // the lowest point, below zero, at the bottom
    EXPECT_TRUE(OverlayView(peaks, plot, OverlayView::Style::Curve, false).AsCurve());
}
