#include "graph/StickGeometry.h"

#include "framework/Limits.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSmallest = Limits::kLineWidth.Min();
constexpr double kHighest = 32766.0;

double AtLeastSmallest(double value)
{
    return std::isfinite(value) ? std::max(value, kSmallest) : kSmallest;
}

}  // namespace

StickGeometry StickGeometry::For(int width, int height, double range, double lineWidth)
{
    StickGeometry geometry;
    geometry.labelThreshold = static_cast<int>(height * 0.12);
    geometry.minimumLineHeight = static_cast<int>(height * 0.02);
    geometry.peakHalfWidth = AtLeastSmallest(lineWidth) * 0.5 * width / AtLeastSmallest(range);
    geometry.shoulderWidth = 0.75 * geometry.peakHalfWidth;
    geometry.tipWidth = 0.3 * geometry.peakHalfWidth;
    return geometry;
}

int StickGeometry::StickHeight(double intensity, int plotHeight, double linearHeight)
{
    if (!std::isfinite(intensity) || !std::isfinite(linearHeight) || !(linearHeight > 0.0)) {
        return 0;
    }
    // Clamped before the conversion: intensities reach 10^25.5, far beyond an int.
    const double height = plotHeight * intensity / linearHeight;
    if (!(height > 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(height, kHighest));
}
