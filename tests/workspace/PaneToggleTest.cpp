#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/SettingsStore.h"
#include "support/QtTestSupport.h"
#include "workspace/TSpeklaWindow.h"

#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

class PaneToggleTest : public QObject {
    Q_OBJECT

private slots:
    void ArrangementFollowsTheOrderShown_data();
    void ArrangementFollowsTheOrderShown();
    void ShowingTheGraphBelowBothMakesANewDataPane();
    void HidingEveryPaneLeavesRoomForTheNext();
    void ShownPanesAreSavedAndRestored();
};

namespace {

// A workspace whose panes are plain labels, shown at a fixed size.
struct Workspace {
    explicit Workspace(const QString& settingsFile)
        : store(SettingsStore::Root::CurrentUser, settingsFile.toStdString()),
          window(text, tables, store, idle)
    {
        for (auto id :
             {TSpeklaWindow::kElementPane, TSpeklaWindow::kDataPane, TSpeklaWindow::kGraphPane}) {
            window.SetPaneFactory(id, [] { return new QLabel; });
        }
        window.resize(800, 600);
        window.show();
    }

    void Toggle(QChar pane)
    {
        if (pane == 'E') {
            window.ToggleElementWindow();
        } else if (pane == 'D') {
            window.ToggleDataWindow();
        } else {
            window.ToggleGraphWindow();
        }
    }

    QRect Place(TSpeklaWindow::PaneId id) const
    {
        QWidget* pane = window.Pane(id);
        return pane == nullptr ? QRect() : QRect(pane->mapTo(&window, QPoint()), pane->size());
    }

    TextTables text;
    TableArray tables{text};
    SettingsStore store;
    IdleDriver idle;
    TSpeklaWindow window;
};

}  // namespace

void PaneToggleTest::ArrangementFollowsTheOrderShown_data()
{
    QTest::addColumn<QString>("order");
    for (const char* order :
         {"DE", "ED", "EG", "GE", "DG", "GD", "DEG", "EDG", "EGD", "GED", "DGE", "GDE"}) {
        QTest::newRow(order) << QString(order);
    }
}

void PaneToggleTest::ArrangementFollowsTheOrderShown()
{
    QFETCH(QString, order);
    QTemporaryDir folder;
    Workspace workspace(folder.filePath("settings.reg"));
    for (QChar pane : order) {
        workspace.Toggle(pane);
    }
    QCOMPARE(workspace.window.PaneCount(), order.size());
    QApplication::processEvents();
    const QRect element = workspace.Place(TSpeklaWindow::kElementPane);
    const QRect data = workspace.Place(TSpeklaWindow::kDataPane);
    const QRect graph = workspace.Place(TSpeklaWindow::kGraphPane);
    if (order.contains('E') && order.contains('D')) {
        QVERIFY2(element.right() < data.left(), "element left of data");
        QCOMPARE(element.top(), data.top());
    }
    for (const QRect& above : {element, data}) {
        if (!above.isNull() && order.contains('G')) {
            QVERIFY2(above.bottom() < graph.top(), "graph below the others");
        }
    }
}

void PaneToggleTest::ShowingTheGraphBelowBothMakesANewDataPane()
{
    QTemporaryDir folder;
    Workspace workspace(folder.filePath("settings.reg"));
    workspace.window.ToggleElementWindow();
    workspace.window.ToggleDataWindow();
    QPointer<QWidget> oldData = workspace.window.Pane(TSpeklaWindow::kDataPane);
    workspace.window.ToggleGraphWindow();
    QVERIFY(oldData.isNull());
    QVERIFY(workspace.window.IsPaneShown(TSpeklaWindow::kDataPane));
    QCOMPARE(workspace.window.Pane(TSpeklaWindow::kDataPane)->objectName(), QString("Data Window"));
}

void PaneToggleTest::HidingEveryPaneLeavesRoomForTheNext()
{
    QTemporaryDir folder;
    Workspace workspace(folder.filePath("settings.reg"));
    for (QChar pane : QString("EDGEDG")) {
        workspace.Toggle(pane);
    }
    QCOMPARE(workspace.window.PaneCount(), 0);
    workspace.window.ToggleGraphWindow();
    QApplication::processEvents();
    QCOMPARE(workspace.Place(TSpeklaWindow::kGraphPane).size(), workspace.window.size());
}

void PaneToggleTest::ShownPanesAreSavedAndRestored()
{
    QTemporaryDir folder;
    {
        Workspace first(folder.filePath("settings.reg"));
        QMenu sources;
        first.window.SetupWindow(&sources);  // a first start shows all three
        QCOMPARE(first.window.PaneCount(), 3);
        first.window.ToggleElementWindow();
        first.window.CleanupWindow();
        QVERIFY(first.store.Save());
    }
    Workspace second(folder.filePath("settings.reg"));
    QVERIFY(second.store.Load());
    QMenu sources;
    second.window.SetupWindow(&sources);
    QVERIFY(!second.window.IsPaneShown(TSpeklaWindow::kElementPane));
    QVERIFY(second.window.IsPaneShown(TSpeklaWindow::kDataPane));
    QVERIFY(second.window.IsPaneShown(TSpeklaWindow::kGraphPane));
}

SPEKLA_QTEST(PaneToggleTest);

#include "PaneToggleTest.moc"
