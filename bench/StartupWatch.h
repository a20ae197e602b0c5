#pragma once

#include "StartupListCheck.h"
#include "datawin/DataRowLayout.h"

#include <cstdint>
#include <memory>
#include <optional>

#include <QObject>
#include <QString>

class TGraphWindow;
class TSpeklaApp;

// Watches the program's first paints: when each pane has painted once, and when all three
// show what they will go on showing: the element window painted, the line list painted with
// rows the fill can no longer change, the graph painted after its pass completed. The state is
// judged as soon as a pane's paint is over, and after every idle turn, since the list may become
// final without a repaint.
class StartupWatch : public QObject {
    Q_OBJECT

public:
    // Sees every paint of the application from now on; the QApplication must exist.
    StartupWatch();
    ~StartupWatch() override;

    // Starts judging, once `app` has loaded its installation and shown its frame with all three
    // panes. False when a pane is missing.
    bool Attach(TSpeklaApp& app);

    // CLOCK_MONOTONIC stamps (ns); none until reached.
    std::optional<int64_t> AllPainted() const { return m_allPainted; }
    std::optional<int64_t> Completed() const { return m_completed; }
    // What is still missing, for a message when the start never completes.
    QString Missing();
    // What the panes show, once complete.
    QString Summary() const;

signals:
    void Complete();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NotePaint(const QObject* watched);
    void QueueCheck();
    void Check();
    bool ListIsFinal();
    bool GraphIsFinal() const;

    TSpeklaApp* m_app = nullptr;
    const QObject* m_element = nullptr;
    const QObject* m_listArea = nullptr;  // the data window's viewport, where its rows are painted
    TGraphWindow* m_graph = nullptr;
    std::unique_ptr<StartupListCheck> m_listCheck;
    bool m_elementPainted = false;
    std::optional<DataRowLayout> m_paintedRows;  // as the list's last paint showed them
    bool m_graphPainted = false;
    bool m_graphPaintedComplete = false;  // the last paint showed a complete pass ...
    int32_t m_graphPaintedCentre = 0;     // ... drawn around this wavelength
    int m_paintsBeforeAttach = 0;
    bool m_paintUnderway = false;  // a pane's paint event is being handled
    bool m_checkQueued = false;
    std::optional<int64_t> m_allPainted;
    std::optional<int64_t> m_completed;
};
