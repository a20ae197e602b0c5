#include "graph/TGraphWindow.h"

#include "database/IntensityFormat.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "database/WavelengthFormat.h"
#include "database/WavetableFile.h"
#include "framework/UserMessage.h"
#include "framework/UserMessages.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kStepsBetweenClockReads = 32;
constexpr int kLabelPixels = 11;
const char* const kLabelSample = " 9999.999 ";
const char* const kOrderTexts[] = {
    QT_TR_NOOP("Drawing first order..."), QT_TR_NOOP("Drawing second order..."),
    QT_TR_NOOP("Drawing third order..."), QT_TR_NOOP("Drawing fourth order..."),
    QT_TR_NOOP("Drawing fifth order...")};

QColor ToQColor(Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

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
    QAction* summation =
        m_popup->addAction(tr("Display summation"), this, &TGraphWindow::SummationToggleRequested);
    summation->setCheckable(true);
    m_popup->addSeparator();
    m_popup->addAction(tr("Options..."), this, &TGraphWindow::OptionsRequested);
    connect(m_popup, &QMenu::aboutToShow, this, [this, elementColours, summation] {
        elementColours->setChecked(m_settings.useElementColours);
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
    m_settings.SetHeight(intensity);
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
        SetupPlotRegion();
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

// Measured points come with the overlay files; until then there is nothing to read them into.
bool TGraphWindow::LoadOverlay(const std::string&)
{
    QMessageBox::information(this, tr("Spekla"),
                             tr("Overlays are not available in this version of Spekla."));
    return false;
}

void TGraphWindow::Repaint()
{
    m_restart = true;
    m_idle.Wake();
}

void TGraphWindow::IncreaseIntensity()
{
    m_settings.IncreaseIntensity();
    Repaint();
}

void TGraphWindow::DecreaseIntensity()
{
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
    m_settings = settings;
    SetupGeometry();
    SetupPlotRegion();
    Repaint();
}

void TGraphWindow::SetupGeometry()
{
    m_summation.Setup(width(), m_settings.range, m_settings.lineWidth);
    m_sticks = StickGeometry::For(width(), height(), m_settings.range, m_settings.lineWidth);
}

int TGraphWindow::LabelRows() const
{
    return static_cast<int>(
        std::count(m_settings.orderDisplayed.begin(), m_settings.orderDisplayed.end(), true));
}

// The plot is the window less three boxes at the top where the range labels stand.
void TGraphWindow::SetupPlotRegion()
{
    const QFontMetrics metrics(m_labelFont);
    m_textHeight = std::max(metrics.height(), 1);
    const int box = metrics.horizontalAdvance(kLabelSample);
    const int top = LabelRows() * m_textHeight;
    const int middle = (width() - box) / 2;
    m_plotRegion = QRegion(rect());
    for (int left : {0, middle, width() - box}) {
        m_plotRegion -= QRegion(left, 0, box, top);
    }
}

void TGraphWindow::resizeEvent(QResizeEvent*)
{
    SetupGeometry();
    SetupPlotRegion();
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
    painter.setFont(m_labelFont);
    if (m_restart) {
        StartPass(painter);
    }
    painter.setClipRegion(m_plotRegion);
    const bool more = RunBatch(painter, budget);
    if (!more) {
        FinishPass(painter);
    } else {
        ShowProgress();
    }
    update(m_dirty);
    m_dirty = QRect();
    return more;
}

// Steps of the pass until `budget` is spent; false once the pass is complete.
bool TGraphWindow::RunBatch(QPainter& painter, std::chrono::microseconds budget)
{
    const auto deadline = std::chrono::steady_clock::now() + budget;
    const GraphPass::Visitor draw = [&](const GraphPass::Visit& visit) {
        m_summation.SetOrigin(m_pass.Origin(visit.order));
        m_summation.Add(visit.intensity, visit.wavelength);
        if (visit.inPlot && m_settings.summationMode != 2) {
            DrawRecord(painter, visit);
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

void TGraphWindow::StartPass(QPainter& painter)
{
    m_restart = false;
    m_drawn.assign(static_cast<size_t>(std::max(width(), 1)), DrawnStick{});
    m_sticksDrawn = 0;
    painter.fillRect(rect(), Qt::black);
    DrawRangeLabels(painter);
    const int top = LabelRows() * m_textHeight;
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawLine(width() / 2, top, width() / 2, height());
    m_summation.Restart();
    GraphPass::Settings settings;
    settings.centre = m_tables.DisplayList().CurrentWavelength();
    m_passCentre = settings.centre;
    settings.range = m_settings.range;
    settings.reach = m_summation.ReachAngstrom();
    settings.orders = m_settings.orderDisplayed;
    settings.treatOrderAsRatio = m_settings.treatOrderAsRatio;
    m_pass.Start(settings);
    m_dirty = rect();
}

// The curve goes on last, over the sticks; the progress text goes away.
void TGraphWindow::FinishPass(QPainter& painter)
{
    if (m_settings.summationMode != 0) {
        DrawSummation(painter);
    }
    m_dirty = rect();
    if (window() != nullptr && !m_progress.isEmpty()) {
        m_progress.clear();
        UserMessage::Post(window(), WM_STATUSTEXT, 0, QString());
    }
}

// "label : Drawing first order..." while a table is walked.
void TGraphWindow::ShowProgress()
{
    const size_t table = m_pass.CurrentTable();
    if (table == 0 || table > m_tables.FileCount() || window() == nullptr) {
        return;
    }
    const QString text = QString::fromStdString(m_tables.FileAt(table - 1).Label()) + " : " +
                         tr(kOrderTexts[m_pass.CurrentOrder() - 1]);
    if (text != m_progress) {
        m_progress = text;
        UserMessage::Post(window(), WM_STATUSTEXT, 0, text);
    }
}

void TGraphWindow::DrawRangeLabels(QPainter& painter)
{
    const int32_t centre = m_tables.DisplayList().CurrentWavelength();
    int row = 0;
    for (int order = 1; order <= GraphView::kOrders; ++order) {
        if (!IsOrderDisplayed(order)) {
            continue;
        }
        const auto [left, middle, rightEdge] =
            GraphPass::LabelWavelengths(centre, m_settings.range, order);
        painter.setPen(
            ToQColor(order == 1 ? m_settings.labelColour : m_settings.orderColours[order - 1]));
        const int y = row++ * m_textHeight;
        const QFontMetrics metrics(m_labelFont);
        const int baseline = y + metrics.ascent();
        painter.drawText(0, baseline, RangeText(left));
        const QString right = RangeText(rightEdge);
        painter.drawText(static_cast<int>(width() - 1.1 * metrics.horizontalAdvance(right)),
                         baseline, right);
        const QString centreText = RangeText(middle);
        painter.drawText(width() / 2 - metrics.horizontalAdvance(centreText) / 2, baseline,
                         centreText);
    }
}

// Wave numbers carry no Å or nm.
QString TGraphWindow::RangeText(int32_t wavelength) const
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

void TGraphWindow::DrawRecord(QPainter& painter, const GraphPass::Visit& visit)
{
    const int x = m_pass.X(visit.order, visit.line.record.wavelength, width());
    const int h = DrawStick(painter, x, visit.intensity, StickColour(visit),
                            QString::fromStdString(visit.line.elementName));
    if (h == 0) {
        return;
    }
    // For tooltips and clicks: the tallest stick of each pixel column, so memory stays bounded
    // however many lines a wide range draws.
    ++m_sticksDrawn;
    DrawnStick& column = m_drawn[static_cast<size_t>(std::clamp(x, 0, width() - 1))];
    if (!column.visit || height() - h < column.top) {
        column = {x, height() - h, std::max(static_cast<int>(m_sticks.peakHalfWidth), 2), visit};
    }
}

QColor TGraphWindow::StickColour(const GraphPass::Visit& visit) const
{
    if (visit.order > 1) {
        return ToQColor(m_settings.orderColours[static_cast<size_t>(visit.order - 1)]);
    }
    if (m_settings.useElementColours) {
        for (size_t i = 0; i < m_settings.elementNames.size(); ++i) {
            if (!m_settings.elementNames[i].empty() &&
                m_settings.elementNames[i] == visit.line.elementName) {
                return ToQColor(m_settings.elementColours[i]);
            }
        }
    }
    const size_t table = visit.line.table != nullptr ? visit.line.table->TableIndex() : 0;
    return ToQColor(m_settings.TableColour(table));
}

// A peak: tall sticks get shoulders, a tip and the element's name above them.
int TGraphWindow::DrawStick(QPainter& painter, int x, double intensity, const QColor& colour,
                            const QString& label)
{
    const int plot = PlotHeight();
    const int h = StickGeometry::StickHeight(intensity, plot, m_settings.linearHeight);
    if (!m_sticks.IsDrawn(h)) {
        return 0;
    }
    const int bottom = height();
    const int a = static_cast<int>(m_sticks.peakHalfWidth);
    painter.setPen(QPen(colour, 0));  // one pixel wide at any scale, and the fast way
    if (m_sticks.IsLabelled(h)) {
        const int b = static_cast<int>(m_sticks.shoulderWidth);
        const int t = static_cast<int>(m_sticks.tipWidth);
        const int y1 = static_cast<int>(bottom - 0.1 * h);
        const int y2 = static_cast<int>(bottom - h * 5.0 / 6.0);
        const QPoint peak[] = {{x - a, bottom}, {x - b, y1}, {x - t, y2},    {x, bottom - h},
                               {x + t, y2},     {x + b, y1}, {x + a, bottom}};
        painter.drawPolyline(peak, 7);
        const QFontMetrics metrics(m_labelFont);
        const int rowHeight = metrics.height();
        // Above the stick, or just below the range labels when the stick reaches them.
        const int highest = LabelRows() * m_textHeight;
        const int top =
            std::max(h + rowHeight > plot ? bottom - plot : bottom - h - rowHeight, highest);
        const int textWidth = metrics.horizontalAdvance(label);
        painter.drawText(x - textWidth / 2, top + metrics.ascent(), label);
        m_dirty |=
            QRect(x - std::max(a, textWidth), top, 2 * std::max(a, textWidth) + 1, bottom - top);
    } else {
        const QPoint peak[] = {{x - a, bottom}, {x, bottom - h}, {x + a, bottom}};
        painter.drawPolyline(peak, 3);
        m_dirty |= QRect(x - a, bottom - h, 2 * a + 1, h + 1);
    }
    return h;
}

void TGraphWindow::DrawSummation(QPainter& painter)
{
    const std::vector<double>& samples = m_summation.Samples();
    if (samples.empty()) {
        return;
    }
    painter.setPen(QPen(ToQColor(m_settings.summationColour), 0));
    QPolygon curve;
    curve.reserve(static_cast<int>(samples.size()));
    for (size_t j = 0; j < samples.size(); ++j) {
        const int y = ::Summation::SampleHeight(samples[j], PlotHeight(), m_settings.linearHeight);
        curve << QPoint(static_cast<int>(2 * j), height() - y);
    }
    painter.drawPolyline(curve);
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
    rows << RangeText(line.record.wavelength) + "  " + text(line.elementName) + " " +
                text(line.valenceName);
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
    return rows.join('\n');
}

void TGraphWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (const DrawnStick* stick = StickAt(event->position().toPoint())) {
            emit LineChosen(stick->visit->line.record.wavelength);
        }
    }
}

void TGraphWindow::contextMenuEvent(QContextMenuEvent* event)
{
    m_popup->popup(event->globalPos());
}
