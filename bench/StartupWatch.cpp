#include "StartupWatch.h"

#include "StartupClock.h"
#include "app/TSDIDecFrame.h"
#include "app/TSpeklaApp.h"
#include "database/TableArray.h"
#include "datawin/TDataWindow.h"
#include "graph/TGraphWindow.h"
#include "workspace/TSpeklaWindow.h"

#include <QApplication>
#include <QEvent>

StartupWatch::StartupWatch()
{
    QApplication::instance()->installEventFilter(this);
}

StartupWatch::~StartupWatch() = default;

bool StartupWatch::Attach(TSpeklaApp& app)
{
    const TSpeklaWindow* workspace = app.MainWindow()->Workspace();
    const TDataWindow* data = workspace->DataWindow();
    m_element = workspace->Pane(WorkspaceOperations::kElementPane);
    m_graph = workspace->GraphWindow();
    if (m_element == nullptr || data == nullptr || m_graph == nullptr) {
        return false;
    }
    // Anything painted while loading would have been missed: the paints must come from the
    // event loop, after the frame is shown.
    if (m_paintsBeforeAttach > 0) {
        qWarning("spekla-startup-bench: %d paints before the frame was shown",
                 m_paintsBeforeAttach);
    }
    m_app = &app;
    m_listArea = data->viewport();
    m_listCheck = std::make_unique<StartupListCheck>(app.Tables(), *data);
    // Runs last in every idle turn and never asks for another.
    app.Idle().AddClient(this, [this](std::chrono::microseconds) {
        Check();
        return false;
    });
    return true;
}

// A pane's paint is over when the application sees its next event: the next widget's paint, or
// the event loop's next event (often the idle timer, whose turn would delay a queued check).
bool StartupWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (m_paintUnderway) {
        m_paintUnderway = false;
        Check();
    }
    if (event->type() == QEvent::Paint && !m_completed) {
        NotePaint(watched);
    }
    return false;
}

// What the pane is about to paint is what it shows: a paint changes no state.
void StartupWatch::NotePaint(const QObject* watched)
{
    if (m_app == nullptr) {
        ++m_paintsBeforeAttach;
        return;
    }
    if (watched == m_element) {
        m_elementPainted = true;
    } else if (watched == m_listArea) {
        m_paintedRows = m_listCheck->Layout();
    } else if (watched == m_graph) {
        m_graphPainted = true;
        m_graphPaintedComplete = m_graph->IsPassComplete();
        m_graphPaintedCentre = m_app->Tables().DisplayList().CurrentWavelength();
    } else {
        return;
    }
    m_paintUnderway = true;
    QueueCheck();
}

// In case no other event follows the paint.
void StartupWatch::QueueCheck()
{
    if (m_checkQueued) {
        return;
    }
    m_checkQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_checkQueued = false;
            Check();
        },
        Qt::QueuedConnection);
}

void StartupWatch::Check()
{
    if (m_completed || m_app == nullptr) {
        return;
    }
    const bool painted = m_elementPainted && m_paintedRows && m_graphPainted;
    if (painted && !m_allPainted) {
        m_allPainted = StartupClock::Now();
    }
    if (!m_graph->IsPassComplete()) {
        m_graphPaintedComplete = false;  // a new pass began since that paint
    }
    if (painted && GraphIsFinal() && ListIsFinal()) {
        m_completed = StartupClock::Now();
        emit Complete();
    }
}

bool StartupWatch::ListIsFinal()
{
    return m_paintedRows && m_listCheck->RowsAreFinal() &&
           m_listCheck->Layout().SameRowsAs(*m_paintedRows);
}

// A pass restarts when the current wavelength moves, possibly completing within one idle turn,
// so the painted pass must also have been drawn around the current wavelength.
bool StartupWatch::GraphIsFinal() const
{
    return m_graphPaintedComplete && m_graph->IsPassComplete() &&
           m_app->Tables().DisplayList().CurrentWavelength() == m_graphPaintedCentre;
}

QString StartupWatch::Missing()
{
    if (m_app == nullptr) {
        return "the frame was never shown with its three panes";
    }
    QStringList missing;
    if (!m_elementPainted) {
        missing << "the element window never painted";
    }
    if (!m_paintedRows) {
        missing << "the line list never painted";
    } else if (!m_listCheck->RowsAreFinal()) {
        missing << "the line list was not filled to a screenful";
    } else if (!ListIsFinal()) {
        missing << "the line list did not repaint its final rows";
    }
    if (!m_graph->IsPassComplete()) {
        missing << "the graph's pass did not complete";
    } else if (!m_graphPaintedComplete) {
        missing << "the graph did not paint its complete pass";
    }
    return missing.isEmpty() ? "nothing (the check never ran)" : missing.join("; ");
}

QString StartupWatch::Summary() const
{
    const TableArray& tables = m_app->Tables();
    return QString("%1 rows on screen, %2 lines listed (%3% of the tables read), %4 sticks drawn")
        .arg(m_paintedRows ? m_paintedRows->Rows().size() : 0)
        .arg(tables.DisplayList().Count())
        .arg(tables.Progress() * 100.0, 0, 'f', 1)
        .arg(m_graph->SticksDrawn());
}
