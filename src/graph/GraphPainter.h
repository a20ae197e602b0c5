#pragma once

#include "analysis/OverlayFile.h"
#include "graph/GraphPass.h"
#include "graph/GraphSettings.h"
#include "graph/StickGeometry.h"

#include <vector>

#include <QColor>
#include <QFont>
#include <QRegion>
#include <QSize>
#include <QString>

class QPainter;
class QRect;
class OverlayView;
class Summation;
class TableArray;

// A peak of the overlay named by its best candidate line.
struct PeakMark {
    double wavelength = 0.0;  // Å, the peak's centre
    double value = 0.0;       // the overlay's value at its top
    QString label;            // "Hg I"
};

// Draws the parts of the graph onto any painter (the screen's image, a printer, PDF, SVG) in a
// plot of a given size: the range labels across the top, the sticks, the summation curve and
// the overlay, in the screen's colours or in colours for white paper.
class GraphPainter {
public:
    // `size` in the painter's units; everything passed in must outlive the painter.
    GraphPainter(const GraphSettings& settings, const TableArray& tables, const QFont& labelFont,
                 QSize size, bool paper);

    int TextHeight() const { return m_textHeight; }
    int LabelRows() const;
    // The plot's bottom edge, above the wavelength axis, and its height up to the range labels.
    int Bottom() const { return m_size.height() - m_axisHeight; }
    int PlotHeight() const { return Bottom() - m_textHeight; }
    // The plot less the boxes at the top where the range labels stand.
    QRegion PlotRegion() const;
    const StickGeometry& Sticks() const { return m_sticks; }

    // Black on screen (nothing on paper) and the grey line at the centre wavelength.
    void DrawBackground(QPainter& painter) const;
    void DrawRangeLabels(QPainter& painter, int32_t centre) const;
    void DrawAxes(QPainter& painter, int32_t centre) const;
    QColor StickColour(const GraphPass::Visit& visit) const;
    // A peak at `x`: tall sticks get shoulders, a tip and `label` above them. Returns the height
    // drawn, 0 for a stick too low to draw; `drawn` grows by the area painted.
    int DrawStick(QPainter& painter, int x, double intensity, const QColor& colour,
                  const QString& label, QRect& drawn) const;
    void DrawSummation(QPainter& painter, const Summation& curve) const;
    // The points between `origin` and origin + range (Å) as unlabelled sticks; `points` sorted.
    void DrawOverlay(QPainter& painter, const std::vector<OverlayData>& points,
                     double origin) const;
    // The names of identified peaks, small, beside their tops on the overlay's scale.
    void DrawPeakMarks(QPainter& painter, const std::vector<PeakMark>& marks,
                       const std::vector<OverlayData>& points, double origin) const;
    // A wavelength in the units shown, with Å or nm after wavelengths.
    QString RangeText(int32_t wavelength) const;

private:
    QColor Ink(Colour colour) const;
    void DrawOverlayAxis(QPainter& painter, const OverlayView& view, const QColor& colour) const;

    const GraphSettings& m_settings;
    const TableArray& m_tables;
    QFont m_labelFont;
    QSize m_size;
    bool m_paper;
    int m_textHeight = 1;
    int m_axisHeight = 1;
    StickGeometry m_sticks;
};
