#include "graph/GraphPainter.h"

#include "database/DisplaySettings.h"
#include "database/TableArray.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "graph/AxisTicks.h"
#include "graph/OverlayView.h"
#include "graph/PrintColour.h"
#include "graph/Summation.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QPolygonF>

namespace {

const char* const kLabelSample = " 9999.999 ";
constexpr int kTickLength = 3;

}  // namespace

GraphPainter::GraphPainter(const GraphSettings& settings, const TableArray& tables,
                           const QFont& labelFont, QSize size, bool paper)
    : m_settings(settings),
      m_tables(tables),
      m_labelFont(labelFont),
      m_size(size),
      m_paper(paper),
      m_textHeight(std::max(QFontMetrics(labelFont).height(), 1)),
      m_axisHeight(m_textHeight + kTickLength),
      m_sticks(StickGeometry::For(size.width(), size.height(), settings.range, settings.lineWidth))
{
}

int GraphPainter::LabelRows() const
{
    return static_cast<int>(
        std::count(m_settings.orderDisplayed.begin(), m_settings.orderDisplayed.end(), true));
}

QRegion GraphPainter::PlotRegion() const
{
    const int box = QFontMetrics(m_labelFont).horizontalAdvance(kLabelSample);
    const int top = LabelRows() * m_textHeight;
    const int width = m_size.width();
    QRegion region(QRect(QPoint(0, 0), m_size));
    for (int left : {0, (width - box) / 2, width - box}) {
        region -= QRegion(left, 0, box, top);
    }
    return region;
}

QColor GraphPainter::Ink(Colour colour) const
{
    const Colour ink = m_paper ? PrintColour(colour) : colour;
    return QColor(ink.red, ink.green, ink.blue);
}

// Sets the labels' font too: sticks are labelled in it without setting it each time.
void GraphPainter::DrawBackground(QPainter& painter) const
{
    painter.setFont(m_labelFont);
    if (!m_paper) {
        painter.fillRect(QRect(QPoint(0, 0), m_size), Qt::black);
    }
    const int centre = m_size.width() / 2;
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawLine(centre, LabelRows() * m_textHeight, centre, Bottom());
}

void GraphPainter::DrawRangeLabels(QPainter& painter, int32_t centre) const
{
    const QFontMetrics metrics(m_labelFont);
    painter.setFont(m_labelFont);
    int row = 0;
    for (size_t order = 1; order <= GraphSettings::kOrders; ++order) {
        if (!m_settings.orderDisplayed[order - 1]) {
            continue;
        }
        const auto [left, middle, rightEdge] =
            GraphPass::LabelWavelengths(centre, m_settings.range, static_cast<int>(order));
        painter.setPen(
            Ink(order == 1 ? m_settings.labelColour : m_settings.orderColours[order - 1]));
        const int baseline = row++ * m_textHeight + metrics.ascent();
        painter.drawText(0, baseline, RangeText(left));
        const QString right = RangeText(rightEdge);
        painter.drawText(static_cast<int>(m_size.width() - 1.1 * metrics.horizontalAdvance(right)),
                         baseline, right);
        const QString centreText = RangeText(middle);
        painter.drawText(m_size.width() / 2 - metrics.horizontalAdvance(centreText) / 2, baseline,
                         centreText);
    }
}

// Wave numbers carry no Å or nm.
QString GraphPainter::RangeText(int32_t wavelength) const
{
    WaveData line;
    line.record.wavelength = wavelength;
    const DisplaySettings& settings = m_tables.Settings();
    std::string text = FormatWavelength(line, settings);
    if (settings.unitMode != kUnitWaveNumber) {
        text += WavelengthUnitSuffix(settings.decimals);
    }
    return QString::fromStdString(text);
}

QColor GraphPainter::StickColour(const GraphPass::Visit& visit) const
{
    if (visit.order > 1) {
        return Ink(m_settings.orderColours[static_cast<size_t>(visit.order - 1)]);
    }
    if (m_settings.useElementColours) {
        for (size_t i = 0; i < m_settings.elementNames.size(); ++i) {
            if (!m_settings.elementNames[i].empty() &&
                m_settings.elementNames[i] == visit.line.elementName) {
                return Ink(m_settings.elementColours[i]);
            }
        }
    }
    const size_t table = visit.line.table != nullptr ? visit.line.table->TableIndex() : 0;
    return Ink(m_settings.TableColour(table));
}

int GraphPainter::DrawStick(QPainter& painter, int x, double intensity, const QColor& colour,
                            const QString& label, QRect& drawn) const
{
    const int plot = PlotHeight();
    const int h = StickGeometry::StickHeight(intensity, plot, m_settings.linearHeight);
    if (!m_sticks.IsDrawn(h)) {
        return 0;
    }
    const int bottom = Bottom();
    const int a = static_cast<int>(m_sticks.peakHalfWidth);
    painter.setPen(QPen(colour, 0));  // one pixel wide at any scale, and the fast way
    if (!m_sticks.IsLabelled(h)) {
        const QPoint peak[] = {{x - a, bottom}, {x, bottom - h}, {x + a, bottom}};
        painter.drawPolyline(peak, 3);
        drawn |= QRect(x - a, bottom - h, 2 * a + 1, h + 1);
        return h;
    }
    const int b = static_cast<int>(m_sticks.shoulderWidth);
    const int t = static_cast<int>(m_sticks.tipWidth);
    const int y1 = static_cast<int>(bottom - 0.1 * h);
    const int y2 = static_cast<int>(bottom - h * 5.0 / 6.0);
    const QPoint peak[] = {{x - a, bottom}, {x - b, y1}, {x - t, y2},    {x, bottom - h},
                           {x + t, y2},     {x + b, y1}, {x + a, bottom}};
    painter.drawPolyline(peak, 7);
    const QFontMetrics metrics(m_labelFont);
    // Above the stick, or just below the range labels when the stick reaches them.
    const int highest = LabelRows() * m_textHeight;
    const int top = std::max(
        h + metrics.height() > plot ? bottom - plot : bottom - h - metrics.height(), highest);
    const int textWidth = metrics.horizontalAdvance(label);
    painter.drawText(x - textWidth / 2, top + metrics.ascent(), label);
    drawn |= QRect(x - std::max(a, textWidth), top, 2 * std::max(a, textWidth) + 1, bottom - top);
    return h;
}

void GraphPainter::DrawSummation(QPainter& painter, const Summation& curve) const
{
    const std::vector<double>& samples = curve.Samples();
    if (samples.empty()) {
        return;
    }
    painter.setPen(QPen(Ink(m_settings.summationColour), 0));
    QPolygon line;
    line.reserve(static_cast<int>(samples.size()));
    for (size_t j = 0; j < samples.size(); ++j) {
        const int y = Summation::SampleHeight(samples[j], PlotHeight(), m_settings.linearHeight);
        line << QPoint(static_cast<int>(2 * j), Bottom() - y);
    }
    painter.drawPolyline(line);
}

// A spectrum as a curve, a peak list as sticks, each on the overlay's own scale unless it
// shares the lines'.
void GraphPainter::DrawOverlay(QPainter& painter, const std::vector<OverlayData>& points,
                               double origin) const
{
    const OverlayView view(points,
                           {origin, m_settings.range, m_size.width(), PlotHeight(),
                            m_settings.lineWidth, m_settings.linearHeight},
                           static_cast<OverlayView::Style>(m_settings.overlayStyle),
                           m_settings.overlayOnLineScale);
    const QColor colour = Ink(m_settings.overlayColour);
    const int bottom = Bottom();
    if (view.OwnScale()) {
        DrawOverlayAxis(painter, view, colour);
    }
    if (view.AsCurve()) {
        QPolygonF line;
        for (const OverlayView::Vertex& vertex : view.Curve()) {
            line << QPointF(vertex.x, bottom - vertex.y);
        }
        painter.setPen(QPen(colour, 0));
        painter.drawPolyline(line);
        return;
    }
    QRect drawn;
    const double toLines = m_settings.linearHeight / std::max(PlotHeight(), 1);
    for (const OverlayData& point : view) {
        DrawStick(painter, static_cast<int>(std::trunc(view.X(point.wavelength))),
                  view.Y(point.value) * toLines, colour, QString(), drawn);
    }
}

// The wavelengths of the first order along the bottom, with the unit named at the right, and
// the lines' intensity scale up the left side, thin, over the plot.
void GraphPainter::DrawAxes(QPainter& painter, int32_t centre) const
{
    const QFontMetrics metrics(m_labelFont);
    painter.setFont(m_labelFont);
    painter.setPen(QPen(Ink(m_settings.labelColour), 0));
    const int width = m_size.width();
    const int bottom = Bottom();
    painter.drawLine(0, bottom, width, bottom);
    const DisplaySettings& settings = m_tables.Settings();
    const QString unit = QString::fromStdString(DisplayUnit(settings));
    const int unitWidth = metrics.horizontalAdvance(unit) + metrics.averageCharWidth();
    const int baseline = bottom + kTickLength + metrics.ascent();
    painter.drawText(width - unitWidth + metrics.averageCharWidth() / 2, baseline, unit);
    const double left = centre * 0.001 - m_settings.range / 2.0;
    const int sample = metrics.horizontalAdvance(kLabelSample);
    for (const AxisTick& tick : AxisTicks::Wavelength(left, left + m_settings.range, settings,
                                                      std::max(width / sample, 1))) {
        const int x = static_cast<int>(std::lround(tick.position * width));
        const QString text = QString::fromStdString(tick.label);
        const int textLeft = x - metrics.horizontalAdvance(text) / 2;
        painter.drawLine(x, bottom, x, bottom + kTickLength);
        if (textLeft >= 0 && textLeft + metrics.horizontalAdvance(text) < width - unitWidth) {
            painter.drawText(textLeft, baseline, text);
        }
    }
    const int top = LabelRows() * m_textHeight;
    const int plot = PlotHeight();
    for (const AxisTick& tick : AxisTicks::Intensity(m_settings.linearHeight, settings.linear,
                                                     std::max(plot / (3 * m_textHeight), 1))) {
        const int y = bottom - static_cast<int>(std::lround(tick.position * plot));
        painter.drawLine(0, y, kTickLength, y);
        // Above its tick, so that the tick is not read as a minus sign.
        if (y - metrics.ascent() > top) {
            painter.drawText(1, y - 2, QString::fromStdString(tick.label));
        }
    }
}

// The overlay's own scale, in its colour, up the right side: its values are read there.
void GraphPainter::DrawOverlayAxis(QPainter& painter, const OverlayView& view,
                                   const QColor& colour) const
{
    const QFontMetrics metrics(m_labelFont);
    painter.setFont(m_labelFont);
    painter.setPen(QPen(colour, 0));
    const int right = m_size.width() - 1;
    const int top = LabelRows() * m_textHeight;
    for (const AxisTick& tick : AxisTicks::Linear(view.Bottom(), view.Top(),
                                                  std::max(PlotHeight() / (3 * m_textHeight), 1))) {
        const int y = Bottom() - static_cast<int>(std::lround(tick.position * PlotHeight()));
        const QString text = QString::fromStdString(tick.label);
        painter.drawLine(right - kTickLength, y, right, y);
        if (y - metrics.ascent() > top && y < Bottom()) {
            painter.drawText(right - metrics.horizontalAdvance(text) - 1, y - 2, text);
        }
    }
}

void GraphPainter::DrawPeakMarks(QPainter& painter, const std::vector<PeakMark>& marks,
                                 const std::vector<OverlayData>& points, double origin) const
{
    const OverlayView view(points,
                           {origin, m_settings.range, m_size.width(), PlotHeight(),
                            m_settings.lineWidth, m_settings.linearHeight},
                           static_cast<OverlayView::Style>(m_settings.overlayStyle),
                           m_settings.overlayOnLineScale);
    QFont small = m_labelFont;
    small.setPixelSize(std::max(1, m_labelFont.pixelSize() * 9 / 10));
    const QFontMetrics metrics(small);
    painter.setFont(small);
    painter.setPen(QPen(Ink(m_settings.overlayColour), 0));
    const int top = LabelRows() * m_textHeight + metrics.ascent();
    for (const PeakMark& mark : marks) {
        const double x = view.X(mark.wavelength);
        if (x < 0 || x > m_size.width()) {
            continue;
        }
        // Beside the top, to its right: a stick's own label stands centred above its top.
        const int y =
            std::max(Bottom() - static_cast<int>(view.Y(mark.value)) + metrics.ascent(), top);
        painter.drawText(static_cast<int>(x) + metrics.averageCharWidth(), y, mark.label);
    }
    painter.setFont(m_labelFont);
}
