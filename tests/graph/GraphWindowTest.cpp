#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphWindow.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"

#include <QObject>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void PassEndsAndStopsTheIdleDriver();
    void MouseChoosesMovesAndZooms();
};

namespace {

// One source with strong lines at 4999, 5000 and 5001 Å; a 400 × 300 graph at 5000 Å, range 4.
struct Graph {
    Graph() : store(SettingsStore::Root::CurrentUser, folder.File("settings.reg"))
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe"}));
        folder.WriteTable(
            "a.swt", {Line(4999000, 1, 1, 30), Line(5000000, 1, 1, 30), Line(5001000, 1, 1, 30)});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
        tables.GoToWavelength(5000000);
        while (tables.FillStep()) {
        }
        window = std::make_unique<TGraphWindow>(text, tables, store, idle);
        window->resize(400, 300);
        window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
        [&] { QTRY_VERIFY(window->IsPassComplete()); }();
        QApplication::processEvents();
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store;
    IdleDriver idle;
    std::unique_ptr<TGraphWindow> window;
};

}  // namespace

// A change starts a new pass, which ends again; a list that grows while the tables are still
// read restarts the pass only when the centre moved.
void GraphWindowTest::PassEndsAndStopsTheIdleDriver()
{
    Graph graph;
    QTRY_VERIFY(!graph.idle.IsRunning());
    graph.window->IncreaseRange();
    QVERIFY(graph.idle.IsRunning());
    QTRY_VERIFY(graph.window->IsPassComplete() && !graph.idle.IsRunning());
    graph.tables.DisplayList().Insert(graph.tables.FileAt(0).RecordAt(2), 0);
    graph.window->ListChanged();
    QVERIFY(graph.window->IsPassComplete());
    graph.tables.GoToWavelength(5001000);
    graph.window->ListChanged();
    QVERIFY(!graph.window->IsPassComplete());
    QTRY_VERIFY(graph.window->IsPassComplete());
}

// 4 Å over 400 pixels: 5001 Å stands at x = 300; nothing at 150.
void GraphWindowTest::MouseChoosesMovesAndZooms()
{
    Graph graph;
    QSignalSpy chosen(graph.window.get(), &TGraphWindow::LineChosen);
    QTest::mouseClick(graph.window.get(), Qt::LeftButton, {}, QPoint(300, 290));
    QTest::mouseClick(graph.window.get(), Qt::LeftButton, {}, QPoint(150, 290));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 5001000);

    // Dragged 100 pixels right, the graph shows 1 Å shorter wavelengths; a wheel step in at
    // 5001 Å narrows the range by a fifth and keeps 5001 Å under the pointer.
    QTest::mousePress(graph.window.get(), Qt::LeftButton, {}, QPoint(200, 290));
    QTest::mouseMove(graph.window.get(), QPoint(300, 290));
    QTest::mouseRelease(graph.window.get(), Qt::LeftButton, {}, QPoint(300, 290));
    QCOMPARE(chosen.last().at(0).toInt(), 4999000);
    QWheelEvent wheel(QPointF(300, 290), graph.window->mapToGlobal(QPointF(300, 290)), {},
                      {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(graph.window.get(), &wheel);
    QCOMPARE(graph.window->Range(), 3.2);
    QCOMPARE(chosen.last().at(0).toInt(), 5000200);
}

SPEKLA_QTEST(GraphWindowTest);

#include "GraphWindowTest.moc"
