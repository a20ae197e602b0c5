#include "graph/OverlayView.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHighestPoint = 0.9;  // of the plot, where the own scale puts the highest point

}  // namespace

OverlayView::OverlayView(const std::vector<OverlayData>& points, const Plot& plot, Style style,
                         bool onLineScale)
    : m_all(points.data()), m_allEnd(points.data() + points.size()), m_plot(plot)
{
    const auto before = [](const OverlayData& point, double wavelength) {
        return point.wavelength < wavelength;
    };
    const auto after = [](double wavelength, const OverlayData& point) {
        return wavelength < point.wavelength;
    };
    m_first = std::lower_bound(m_all, m_allEnd, plot.origin, before);
    m_last = std::upper_bound(m_first, m_allEnd, plot.origin + plot.range, after);
    const std::ptrdiff_t count = m_last - m_first;
    const bool dense = count >= 2 && ((m_last - 1)->wavelength - m_first->wavelength) /
                                             static_cast<double>(count - 1) <
                                         plot.lineWidth;
    m_asCurve = style == Style::Curve || (style == Style::Automatic && dense);
    m_top = plot.linearHeight;
    if (onLineScale || count == 0) {
        return;
    }
    const auto [lowest, highest] = std::minmax_element(
        m_first, m_last,
        [](const OverlayData& a, const OverlayData& b) { return a.value < b.value; });
    m_ownScale = true;
    m_bottom = std::min(0.0, lowest->value);
    const double span = highest->value - m_bottom;
    m_top = span > 0.0 ? m_bottom + span / kHighestPoint : m_bottom + 1.0;
}

double OverlayView::X(double wavelength) const
{
    return m_plot.width * (wavelength - m_plot.origin) / m_plot.range;
}

double OverlayView::Y(double value) const
{
    return m_plot.height * (value - m_bottom) / (m_top - m_bottom);
}

std::vector<OverlayView::Vertex> OverlayView::Curve() const
{
    std::vector<Vertex> vertices;
    const OverlayData* from = m_first == m_all ? m_first : m_first - 1;
    const OverlayData* to = m_last == m_allEnd ? m_last : m_last + 1;
    for (const OverlayData* point = from; point != to;) {
        // One pixel column: its first point, its lowest and highest in the order met, its last.
        const double column = std::floor(X(point->wavelength));
        const OverlayData* start = point;
        const OverlayData* low = point;
        const OverlayData* high = point;
        while (point != to && std::floor(X(point->wavelength)) == column) {
            low = point->value < low->value ? point : low;
            high = point->value > high->value ? point : high;
            ++point;
        }
        const OverlayData* last = point - 1;
        for (const OverlayData* keep : {start, std::min(low, high), std::max(low, high), last}) {
            const Vertex vertex{X(keep->wavelength), Y(keep->value)};
            if (vertices.empty() || vertices.back().x != vertex.x ||
                vertices.back().y != vertex.y) {
                vertices.push_back(vertex);
            }
        }
    }
    return vertices;
}
