#include "graph/TGraphWindow.h"

#include "analysis/LineDetails.h"
#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "framework/Limits.h"
#include "graph/GraphPainter.h"
#include "graph/SpectrumStatus.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace {

constexpr int kStepsBetweenClockReads = 32;
constexpr int kLabelPixels = 11;
const char* const kOrderTexts[] = {
    QT_TR_NOOP("Drawing first order..."), QT_TR_NOOP("Drawing second order..."),
    QT_TR_NOOP("Drawing third order..."), QT_TR_NOOP("Drawing fourth order..."),
    QT_TR_NOOP("Drawing fifth order...")};

}  // namespace

TGraphWindow::TGraphWindow(const TextTables& text, TableArray& tables, SettingsStore& store,
                           IdleDriver& idle, QWidget* parent)
    : QWidget(parent),
      m_text(text),
      m_tables(tables),
      m_store(store),
      m_idle(idle),
      m_pass(text, tables),
      m_labelFont("Arial"),
      m_popup(new QMenu(this))
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    m_labelFont.setPixelSize(kLabelPixels);
    m_settings.Restore(store, tables);
    QAction* elementColours = m_popup->addAction(tr("Use element colours"));
    elementColours->setCheckable(true);
    connect(elementColours, &QAction::triggered, this, [this](bool checked) {
        m_settings.useElementColours = checked;
        Repaint();
    });
    QAction* overlay =
        m_popup->addAction(tr("Display overlay"), this, &TGraphWindow::OverlayToggleRequested);
    overlay->setCheckable(true);
    QAction* summation =
        m_popup->addAction(tr("Display summation"), this, &TGraphWindow::SummationToggleRequested);
    summation->setCheckable(true);
    m_popup->addSeparator();
    m_popup->addAction(tr("Options..."), this, &TGraphWindow::OptionsRequested);
    connect(m_popup, &QMenu::aboutToShow, this, [this, elementColours, overlay, summation] {
        elementColours->setChecked(m_settings.useElementColours);
        overlay->setChecked(m_settings.displayOverlay);
        overlay->setEnabled(m_overlay != nullptr && !m_overlay->empty());
        summation->setChecked(m_settings.summationMode != 0);
    });
    m_idleClient = m_idle.AddClient(
        this, [this](std::chrono::microseconds budget) { return IdleAction(budget); });
}

TGraphWindow::~TGraphWindow()
{
    m_idle.RemoveClient(m_idleClient);  // before any member the step uses goes
    CleanupWindow();
}

void TGraphWindow::CleanupWindow()
{
    if (!m_cleanedUp) {
        m_cleanedUp = true;
        m_settings.Save(m_store, m_tables);
    }
}

void TGraphWindow::SetRange(double angstrom)
{
    if (m_settings.SetRange(angstrom)) {
        SetupGeometry();
    }
}

void TGraphWindow::SetHeight(double intensity)
{
    m_settings.fitHeight = false;
    m_settings.SetHeight(intensity);
}

void TGraphWindow::FitHeight()
{
    m_fitOnce = true;
    Repaint();
}

void TGraphWindow::SetFitHeightAutomatically(bool fit)
{
    m_settings.fitHeight = fit;
    Repaint();
}

bool TGraphWindow::IsOrderDisplayed(int order) const
{
    return order >= 1 && order <= GraphView::kOrders &&
           m_settings.orderDisplayed[static_cast<size_t>(order - 1)];
}

void TGraphWindow::SetOrderDisplayed(int order, bool shown)
{
    if (order >= 1 && order <= GraphView::kOrders) {
        m_settings.orderDisplayed[static_cast<size_t>(order - 1)] = shown;
    }
}

SummationMode TGraphWindow::Summation() const
{
    return static_cast<SummationMode>(m_settings.summationMode);
}

void TGraphWindow::SetSummation(SummationMode mode)
{
    m_settings.summationMode = static_cast<uint32_t>(mode);
}

void TGraphWindow::SetDisplayOverlay(bool shown)
{
    m_settings.displayOverlay = shown;
}

SpectrumSettings TGraphWindow::Spectrum() const
{
    return m_settings.spectrum;
}

void TGraphWindow::SetSpectrum(const SpectrumSettings& spectrum)
{
    const double velocity = m_settings.spectrum.velocity;
    m_settings.spectrum = spectrum;
    SetupGeometry();
    if (spectrum.velocity != velocity) {
        emit VelocityChanged(spectrum.velocity);
    }
}

void TGraphWindow::SetOverlay(const std::vector<OverlayData>* points)
{
    m_overlay = points;
    Repaint();
}

void TGraphWindow::SetPeakMarks(const std::vector<PeakMark>* marks)
{
    m_peakMarks = marks;
    Repaint();
}
void TGraphWindow::Repaint()
{
    m_restart = true;
    m_idle.Wake();
}

void TGraphWindow::IncreaseIntensity()
{
    m_settings.fitHeight = false;
    m_settings.IncreaseIntensity();
    Repaint();
}

void TGraphWindow::DecreaseIntensity()
{
    m_settings.fitHeight = false;
    m_settings.DecreaseIntensity();
    Repaint();
}

void TGraphWindow::IncreaseRange()
{
    if (m_settings.IncreaseRange()) {
        SetupGeometry();
        Repaint();
    }
}

void TGraphWindow::DecreaseRange()
{
    if (m_settings.DecreaseRange()) {
        SetupGeometry();
        Repaint();
    }
}

void TGraphWindow::SetTreatOrderAsRatio(bool treat)
{
    m_settings.treatOrderAsRatio = treat;
    Repaint();
}

void TGraphWindow::CompletePass()
{
    while (IdleAction(std::chrono::hours(1))) {
    }
}

void TGraphWindow::ApplySettings(const GraphSettings& settings)
{
    const double velocity = m_settings.spectrum.velocity;
    m_settings = settings;
    SetupGeometry();
    Repaint();
    if (settings.spectrum.velocity != velocity) {
        emit VelocityChanged(settings.spectrum.velocity);
    }
}

void TGraphWindow::SetupGeometry()
{
    m_summation.Setup(width(), m_settings.range, m_settings.lineWidth);
    m_summation.SetSpectrum(m_settings.spectrum);
}

// The longest wavelength (Å) a plot shows: the first order's right edge, where a profile
// whose width grows with the wavelength reaches farthest.
double TGraphWindow::FarthestWavelength() const
{
    return (m_tables.DisplayList().CurrentWavelength() * 0.001 + m_settings.range) *
           m_settings.spectrum.Shift();
}

GraphPainter TGraphWindow::ScreenPainter() const
{
    return GraphPainter(m_settings, m_tables, m_labelFont, size(), false);
}

GraphPass::Settings TGraphWindow::PassSettings(double reach) const
{
    GraphPass::Settings settings;
    settings.centre = m_tables.DisplayList().CurrentWavelength();
    settings.range = m_settings.range;
    settings.reach = reach;
    settings.orders = m_settings.orderDisplayed;
    settings.treatOrderAsRatio = m_settings.treatOrderAsRatio;
    settings.spectrum = m_settings.spectrum;
    return settings;
}

// The whole graph at once, in its own pass, leaving the screen's drawing as it is: sticks,
// overlay and curve, then the range labels over them.
void TGraphWindow::Render(QPainter& painter, QSize size, bool paper) const
{
    const GraphPainter graph(m_settings, m_tables, LabelFontFor(painter), size, paper);
    ::Summation curve;
    curve.Setup(size.width(), m_settings.range, m_settings.lineWidth);
    curve.SetSpectrum(m_settings.spectrum);
    GraphPass pass(m_text, m_tables);
    pass.Start(PassSettings(curve.ReachAngstrom(FarthestWavelength())));
    painter.save();
    graph.DrawBackground(painter);
    painter.setClipRegion(graph.PlotRegion());
    QRect drawn;
    const GraphPass::Visitor draw = [&](const GraphPass::Visit& visit) {
        curve.SetOrigin(pass.Origin(visit.order));
        curve.Add(visit.intensity, visit.wavelength);
        if (visit.inPlot && m_settings.summationMode != 2) {
            graph.DrawStick(painter, pass.X(visit.order, visit.position, size.width()),
                            visit.intensity, graph.StickColour(visit),
                            QString::fromStdString(visit.line.elementName), drawn);
        }
    };
    while (pass.Step(draw)) {
    }
    if (m_settings.displayOverlay && m_overlay != nullptr) {
        graph.DrawOverlay(painter, *m_overlay, pass.Origin(1));
        if (m_peakMarks != nullptr) {
            graph.DrawPeakMarks(painter, *m_peakMarks, *m_overlay, pass.Origin(1));
        }
    }
    if (m_settings.summationMode != 0) {
        graph.DrawSummation(painter, curve);
    }
    painter.setClipping(false);
    graph.DrawRangeLabels(painter, m_tables.DisplayList().CurrentWavelength());
    graph.DrawAxes(painter, m_tables.DisplayList().CurrentWavelength());
    painter.restore();
}

// Text keeps the size it has on screen, in points, however a page or a picture scales the
// graph: one unit of `painter` is its vertical scale in pixels of its device's resolution.
QFont TGraphWindow::LabelFontFor(const QPainter& painter) const
{
    const QTransform& transform = painter.combinedTransform();
    const double scale = std::hypot(transform.m12(), transform.m22());
    QFont font = m_labelFont;
    if (scale > 0.0 && painter.device() != nullptr) {
        const double pixels =
            kLabelPixels * painter.device()->logicalDpiY() / (logicalDpiY() * scale);
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    }
    return font;
}

void TGraphWindow::resizeEvent(QResizeEvent*)
{
    SetupGeometry();
    Repaint();
}

void TGraphWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!m_image.isNull() && m_image.devicePixelRatio() != devicePixelRatioF() &&
        IsPassComplete()) {
        Repaint();  // moved to a screen of another resolution: draw anew for it
    }
    if (m_image.isNull() || m_image.size() != size() * m_image.devicePixelRatio()) {
        painter.fillRect(event->rect(), Qt::black);  // a new image is being drawn
        if (m_image.isNull()) {
            return;
        }
    }
    painter.drawImage(event->rect(), m_image,
                      QRectF(QPointF(event->rect().topLeft()) * m_image.devicePixelRatio(),
                             QSizeF(event->rect().size()) * m_image.devicePixelRatio()));
}

// A batch of the pass, bounded by `budget`; false once the pass is complete.
bool TGraphWindow::IdleAction(std::chrono::microseconds budget)
{
    if (!m_restart && m_pass.IsComplete()) {
        return false;
    }
    if (width() < 1 || height() < 1) {
        return false;
    }
    const qreal ratio = devicePixelRatioF();
    if (m_image.size() != size() * ratio) {
        m_image = QImage(size() * ratio, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_restart = true;
    }
    QPainter painter(&m_image);
    const GraphPainter graph = ScreenPainter();
    if (m_restart) {
        StartPass(painter, graph);
    }
    painter.setClipRegion(graph.PlotRegion());
    bool more = RunBatch(painter, graph, budget);
    if (!more && m_measuring) {
        ApplyFittedHeight();
        const GraphPainter fitted = ScreenPainter();
        StartDrawing(painter, fitted);
        more = true;
    } else if (!more) {
        FinishPass(painter, graph);
    } else {
        ShowProgress();
    }
    update(m_dirty);
    m_dirty = QRect();
    return more;
}

// Steps of the pass until `budget` is spent; false once the pass is complete.
bool TGraphWindow::RunBatch(QPainter& painter, const GraphPainter& graph,
                            std::chrono::microseconds budget)
{
    const auto deadline = std::chrono::steady_clock::now() + budget;
    const GraphPass::Visitor draw = [&](const GraphPass::Visit& visit) {
        if (m_measuring) {
            m_tallest = visit.inPlot ? std::max(m_tallest, visit.intensity) : m_tallest;
            return;
        }
        m_summation.SetOrigin(m_pass.Origin(visit.order));
        m_summation.Add(visit.intensity, visit.wavelength);
        if (visit.inPlot) {
            m_withoutData += visit.computed ? 0 : 1;
        }
        if (visit.inPlot && m_settings.summationMode != 2) {
            DrawRecord(painter, graph, visit);
        }
    };
    bool more = true;
    while (more) {
        for (int i = 0; i < kStepsBetweenClockReads && more; ++i) {
            more = m_pass.Step(draw);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
    }
    return more;
}

void TGraphWindow::ListChanged()
{
    if (m_tables.DisplayList().CurrentWavelength() != m_passCentre) {
        Repaint();
    }
}

// When the height follows the lines, a first walk over them only finds the tallest in view.
void TGraphWindow::StartPass(QPainter& painter, const GraphPainter& graph)
{
    m_restart = false;
    m_measuring = m_fitOnce || m_settings.fitHeight;
    m_fitOnce = false;
    m_tallest = 0.0;
    StartDrawing(painter, graph);
}

// The tallest line in view at 90 % of the plot, within the height's limits; with no line in
// view the height stays.
void TGraphWindow::ApplyFittedHeight()
{
    m_measuring = false;
    if (m_tallest > 0.0) {
        m_settings.FitHeightTo(m_tallest);
        emit HeightFitted();
    }
}

void TGraphWindow::StartDrawing(QPainter& painter, const GraphPainter& graph)
{
    m_drawn.assign(static_cast<size_t>(std::max(width(), 1)), DrawnStick{});
    m_lastStamp = Stamp{};
    m_sticksDrawn = 0;
    graph.DrawBackground(painter);
    graph.DrawRangeLabels(painter, m_tables.DisplayList().CurrentWavelength());
    graph.DrawAxes(painter, m_tables.DisplayList().CurrentWavelength());
    m_summation.Restart();
    m_withoutData = 0;
    const GraphPass::Settings settings =
        PassSettings(m_summation.ReachAngstrom(FarthestWavelength()));
    m_passCentre = settings.centre;
    m_pass.Start(settings);
    m_dirty = rect();
}

// The measured points and the curve go on last, over the sticks; the progress text goes away.
// The points are drawn on the first order's axis, whatever order was drawn last.
void TGraphWindow::FinishPass(QPainter& painter, const GraphPainter& graph)
{
    if (m_settings.displayOverlay && m_overlay != nullptr) {
        graph.DrawOverlay(painter, *m_overlay, m_pass.Origin(1));
        if (m_peakMarks != nullptr) {
            graph.DrawPeakMarks(painter, *m_peakMarks, *m_overlay, m_pass.Origin(1));
        }
    }
    if (m_settings.summationMode != 0) {
        graph.DrawSummation(painter, m_summation);
    }
    painter.setClipping(false);
    graph.DrawAxes(painter, m_passCentre);
    m_dirty = rect();
    if (!m_progress.isEmpty()) {
        m_progress.clear();
        emit ProgressTextChanged(m_progress);
    }
    emit SpectrumStatusChanged(
        QString::fromStdString(SpectrumStatus::Text(m_settings.spectrum, m_withoutData)));
}

// "label : Drawing first order..." while a table is walked.
void TGraphWindow::ShowProgress()
{
    const size_t table = m_pass.CurrentTable();
    if (table == 0 || table > m_tables.FileCount()) {
        return;
    }
    const QString text = QString::fromStdString(m_tables.FileAt(table - 1).Label()) + " : " +
                         tr(kOrderTexts[m_pass.CurrentOrder() - 1]);
    if (text != m_progress) {
        m_progress = text;
        emit ProgressTextChanged(text);
    }
}

void TGraphWindow::DrawRecord(QPainter& painter, const GraphPainter& graph,
                              const GraphPass::Visit& visit)
{
    const int x = m_pass.X(visit.order, visit.position, width());
    const QColor colour = graph.StickColour(visit);
    const Stamp stamp{
        x, StickGeometry::StickHeight(visit.intensity, graph.PlotHeight(), m_settings.linearHeight),
        colour.rgb(), visit.line.elementName};
    // A stick just like the last one drawn adds nothing: a table may hold many copies of a line.
    const int h = stamp == m_lastStamp
                      ? stamp.height
                      : graph.DrawStick(painter, x, visit.intensity, colour,
                                        QString::fromStdString(stamp.label), m_dirty);
    if (h == 0) {
        return;
    }
    m_lastStamp = stamp;
    // For tooltips and clicks: the tallest stick of each pixel column, so memory stays bounded
    // however many lines a wide range draws.
    ++m_sticksDrawn;
    DrawnStick& column = m_drawn[static_cast<size_t>(std::clamp(x, 0, width() - 1))];
    if (!column.visit || graph.Bottom() - h < column.top) {
        const int halfWidth = static_cast<int>(graph.Sticks().peakHalfWidth);
        column = {x, graph.Bottom() - h, std::max(halfWidth, 2), visit};
    }
}

bool TGraphWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const DrawnStick* stick = StickAt(help->pos())) {
            QToolTip::showText(help->globalPos(), Describe(*stick->visit), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

// Where sticks overlap, the tallest of the nearest wins.
const TGraphWindow::DrawnStick* TGraphWindow::StickAt(const QPoint& at) const
{
    const DrawnStick* best = nullptr;
    for (const DrawnStick& stick : m_drawn) {
        if (!stick.visit) {
            continue;
        }
        const int distance = std::abs(stick.x - at.x());
        if (distance > stick.halfWidth || at.y() < stick.top) {
            continue;
        }
        const int bestDistance = best == nullptr ? INT_MAX : std::abs(best->x - at.x());
        if (distance < bestDistance || (distance == bestDistance && stick.top < best->top)) {
            best = &stick;
        }
    }
    return best;
}

QString TGraphWindow::Describe(const GraphPass::Visit& visit) const
{
    const DisplayWaveData& line = visit.line;
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    QStringList rows;
    rows << ScreenPainter().RangeText(line.record.wavelength) + "  " + text(line.elementName) +
                " " + text(line.valenceName);
    rows << tr("Intensity %1")
                .arg(text(FormatIntensity(line, m_tables.Linear(), false, false)))
                .trimmed();
    if (line.table != nullptr) {
        rows << tr("Source %1").arg(text(line.table->Label()));
    }
    if (visit.order > 1) {
        rows << tr("Order %1").arg(visit.order);
    }
    for (const std::string& extra : {line.description, line.reference}) {
        if (!extra.empty()) {
            rows << text(extra);
        }
    }
    for (const std::string& detail : LineDetailRows(line, m_settings.spectrum.velocity)) {
        rows << text(detail);
    }
    return rows.join('\n');
}

void TGraphWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
        m_pressedCentre = m_tables.DisplayList().CurrentWavelength();
        m_dragging = false;
    }
}

// Dragging moves the wavelengths with the pointer; a press that did not move is a click.
void TGraphWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton) || width() < 1) {
        return;
    }
    const int moved = event->position().toPoint().x() - m_pressedAt->x();
    m_dragging = m_dragging || std::abs(moved) > QApplication::startDragDistance();
    if (m_dragging) {
        const double shift = -moved * m_settings.range / width();
        emit LineChosen(static_cast<int32_t>(
            std::clamp(m_pressedCentre + std::round(shift * 1000.0), 1.0, double(INT32_MAX))));
    }
}

void TGraphWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressedAt) {
        return;
    }
    m_clicked.reset();
    if (!m_dragging) {
        if (const DrawnStick* stick = StickAt(event->position().toPoint())) {
            m_clicked = stick->visit;
            emit LineChosen(m_clicked->line.record.wavelength);
        }
    }
    m_pressedAt.reset();
    m_dragging = false;
}

// The click before it chose the stick; the second press must not choose again, since another
// stick may lie under the pointer now.
void TGraphWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_clicked) {
        emit LineDetailsRequested(m_clicked->line, m_settings.spectrum.velocity);
    }
}

// The wheel zooms about the pointer: the wavelength under it stays there.
void TGraphWindow::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0 || width() < 1) {
        return;
    }
    const double oldRange = m_settings.range;
    const double newRange = std::clamp(oldRange * std::pow(1.25, -steps), Limits::kGraphRange.Min(),
                                       Limits::kGraphRange.Max());
    if (newRange == oldRange || !m_settings.SetRange(newRange)) {
        return;
    }
    const double fraction = event->position().x() / width() - 0.5;
    const double centre = m_tables.DisplayList().CurrentWavelength() * 0.001;
    const double pointed = centre + fraction * oldRange;
    SetupGeometry();
    Repaint();
    emit RangeChanged();
    emit LineChosen(static_cast<int32_t>(
        std::clamp(std::round((pointed - fraction * newRange) * 1000.0), 1.0, double(INT32_MAX))));
    event->accept();
}

void TGraphWindow::contextMenuEvent(QContextMenuEvent* event)
{
    m_popup->popup(event->globalPos());
}
