#pragma once

#include "analysis/OverlayFile.h"
#include "command/GraphView.h"
#include "framework/IdleDriver.h"
#include "graph/GraphPainter.h"
#include "graph/GraphPass.h"
#include "graph/GraphSettings.h"
#include "graph/Summation.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

class QMenu;
class SettingsStore;
class TableArray;
class TextTables;

// The lines around the current wavelength as a stick spectrum on black, in up to five orders,
// with the range of each order written across the top and the summation curve. A pass draws
// the lines into a cached image a batch at a time in idle time, nearest lines first; a paint
// only copies the image. Anything that changes what is shown restarts the pass.
class TGraphWindow : public QWidget, public GraphView {
    Q_OBJECT

public:
    // Everything passed in must outlive the window. Restores the graph's settings.
    TGraphWindow(const TextTables& text, TableArray& tables, SettingsStore& store, IdleDriver& idle,
                 QWidget* parent = nullptr);
    ~TGraphWindow() override;

    // Saves the settings (once; the destructor does it if nobody did).
    void CleanupWindow();

    // GraphView
    double Range() const override { return m_settings.range; }
    void SetRange(double angstrom) override;
    double Height() const override { return m_settings.linearHeight; }
    void SetHeight(double intensity) override;
    void FitHeight() override;
    bool IsOrderDisplayed(int order) const override;
    void SetOrderDisplayed(int order, bool shown) override;
    bool TreatOrderAsRatio() const override { return m_settings.treatOrderAsRatio; }
    SummationMode Summation() const override;
    void SetSummation(SummationMode mode) override;
    bool DisplayOverlay() const override { return m_settings.displayOverlay; }
    SpectrumSettings Spectrum() const override;
    void SetSpectrum(const SpectrumSettings& spectrum) override;
    void SetDisplayOverlay(bool shown) override;
    void Repaint() override;

    // The zoom of the Graph menu; each restarts the pass. A change of height by hand ends the
    // automatic fit.
    void IncreaseIntensity();
    void DecreaseIntensity();
    bool FitsHeightAutomatically() const override { return m_settings.fitHeight; }
    void SetFitHeightAutomatically(bool fit);
    void IncreaseRange();
    void DecreaseRange();
    void SetTreatOrderAsRatio(bool treat);
    bool IsPassComplete() const { return !m_restart && m_pass.IsComplete(); }
    // Runs the drawing pass to its end now, for those that read what it drew (export,
    // printing). Does nothing while the window has no size.
    void CompletePass();
    // Every setting at once, as the options dialog edits them; the graph redraws.
    const GraphSettings& Settings() const { return m_settings; }
    void ApplySettings(const GraphSettings& settings);
    // The measured points to draw while the overlay is shown; null for none. The points belong to
    // the caller and must stay valid until replaced.
    void SetOverlay(const std::vector<OverlayData>* points);
    // The identified peaks to name over the overlay; null for none. Owned like the points.
    void SetPeakMarks(const std::vector<PeakMark>* marks);
    // Draws the whole graph at once onto `painter` in a plot of `size` (in the painter's units),
    // in the screen's colours or, for `paper`, in colours for white paper.
    void Render(QPainter& painter, QSize size, bool paper) const;
    std::size_t SticksDrawn() const { return m_sticksDrawn; }
    // The display list changed: a new pass only when the current wavelength moved, since the
    // pass reads the tables itself.
    void ListChanged();
    const ::Summation& Curve() const { return m_summation; }

signals:
    // A stick was clicked, or the graph dragged or zoomed about the pointer: the wavelength to
    // go to, 0.001 Å.
    void LineChosen(int32_t wavelength);
    void RangeChanged();  // by the mouse wheel
    void SummationToggleRequested();
    void OptionsRequested();  // "Options..." in the popup menu
    void OverlayToggleRequested();
    // What the drawing pass is doing ("label : Drawing first order..."); empty when done.
    void ProgressTextChanged(const QString& text);
    // The height was fitted to the lines in view.
    void HeightFitted();
    // After each pass: the velocity, temperature and lines without atomic data, or empty.
    void SpectrumStatusChanged(const QString& text);
    // The source's radial velocity (km/s) was set to another value.
    void VelocityChanged(double velocity);
    // A stick was double-clicked: its line, and the velocity the graph shifts lines by (km/s).
    void LineDetailsRequested(const DisplayWaveData& line, double velocity);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A stick on screen, for tooltips and clicks.
    struct DrawnStick {
        int x = 0;
        int top = 0;
        int halfWidth = 0;
        std::optional<GraphPass::Visit> visit;  // none: no stick in this column
    };

    // What a stick drawn looks like.
    struct Stamp {
        int x = -1;
        int height = 0;
        QRgb colour = 0;
        std::string label;
        bool operator==(const Stamp&) const = default;
    };

    bool IdleAction(std::chrono::microseconds budget);
    bool RunBatch(QPainter& painter, const GraphPainter& graph, std::chrono::microseconds budget);
    void StartPass(QPainter& painter, const GraphPainter& graph);
    void StartDrawing(QPainter& painter, const GraphPainter& graph);
    void ApplyFittedHeight();
    void FinishPass(QPainter& painter, const GraphPainter& graph);
    void ShowProgress();
    void SetupGeometry();
    double FarthestWavelength() const;
    GraphPainter ScreenPainter() const;
    QFont LabelFontFor(const QPainter& painter) const;
    GraphPass::Settings PassSettings(double reach) const;
    void DrawRecord(QPainter& painter, const GraphPainter& graph, const GraphPass::Visit& visit);
    QString Describe(const GraphPass::Visit& visit) const;
    const DrawnStick* StickAt(const QPoint& at) const;

    const TextTables& m_text;
    TableArray& m_tables;
    SettingsStore& m_store;
    IdleDriver& m_idle;
    GraphSettings m_settings;
    GraphPass m_pass;
    ::Summation m_summation;
    QFont m_labelFont;
    const std::vector<OverlayData>* m_overlay = nullptr;
    const std::vector<PeakMark>* m_peakMarks = nullptr;
    QImage m_image;
    bool m_restart = true;
    QRect m_dirty;                    // drawn on the image since the last repaint request
    std::vector<DrawnStick> m_drawn;  // by pixel column
    std::size_t m_sticksDrawn = 0;
    Stamp m_lastStamp;
    int32_t m_passCentre = 0;
    std::optional<QPoint> m_pressedAt;  // where the left button went down
    int32_t m_pressedCentre = 0;
    bool m_dragging = false;
    // The stick the last click chose: by the double click the graph has moved it to the centre.
    std::optional<GraphPass::Visit> m_clicked;
    bool m_fitOnce = false;    // Fit height asked for, for the next pass
    bool m_measuring = false;  // the pass only finds the tallest line in view, drawing nothing
    double m_tallest = 0.0;
    size_t m_withoutData = 0;  // lines in view this pass whose intensity kept the table's
    QMenu* m_popup;
    IdleDriver::ClientId m_idleClient;
    QString m_progress;  // the status text last shown
    bool m_cleanedUp = false;
};
