#include "command/CommandNumbers.h"
#include "command/GraphView.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphOptionsDialog.h"
#include "graph/TGraphWindow.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"
#include "workspace/WorkspaceSnapshot.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class WorkspaceCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void DecimalsStepUpThenAlternate_data();
    void DecimalsStepUpThenAlternate();
    void InvertingEverySelectedElementIsRefused();
    void CheckMarksFollowTheState();
    void PaneCommandsAreDisabledWithoutThePane();
    void WarningsShowInAWarningBox();
    void PagingStopsAtTheEndsOfTheList();
    void GraphMenuItemsFollowTheGraph();
    void GraphOptionsReachTheGraph_data();
    void GraphOptionsReachTheGraph();
    void PanesRemovedMidWorkLeaveNothingBehind();
    void AFailedOverlayLoadKeepsTheOverlayShown();
};

namespace {

// A workspace over two small sources, with plain labels as panes and its action states
// applied after every change, as the frame does. With `realList` the data pane is the line list.
struct Workspace {
    explicit Workspace(bool realList = false, bool realGraph = false)
        : store(SettingsStore::Root::CurrentUser, folder.File("settings.reg")),
          window(text, tables, store, idle)
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe", "Cu"}));
        folder.WriteTable("Kurucz.swt", {Line(4000000), Line(4001000, 1), Line(4002000, 2)});
        folder.WriteTable("NIST.swt", {Line(4000500, 1)});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
        for (auto id : {WorkspaceOperations::kElementPane, WorkspaceOperations::kDataPane,
                        WorkspaceOperations::kGraphPane}) {
            const bool real = (realList && id == WorkspaceOperations::kDataPane) ||
                              (realGraph && id == WorkspaceOperations::kGraphPane);
            if (!real) {
                window.SetPaneFactory(id, [] { return new QLabel; });
            }
        }
        window.resize(600, 400);
        window.show();
        QObject::connect(&window, &TSpeklaWindow::StateChanged,
                         [this] { window.Actions().Apply(window.Snapshot()); });
        window.SetupWindow(&sources);
    }

    QAction* Action(int id) { return window.Actions().Action(id); }

    // Runs `act` and answers the message box it opens; returns the box's caption and text.
    QStringList AnswerMessageBox(const std::function<void()>& act)
    {
        QStringList seen;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = {box->windowTitle(), box->text(),
                        box->icon() == QMessageBox::Warning ? "exclamation" : "no icon"};
                box->accept();
            }
        });
        closer.start(10);
        act();
        return seen;
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store;
    IdleDriver idle;
    QMenu sources;
    TSpeklaWindow window;
};

}  // namespace

void WorkspaceCommandsTest::DecimalsStepUpThenAlternate_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("from 3") << 3 << QList<int>{4, 3, 4, 3};
    QTest::newRow("from 0") << 0 << QList<int>{1, 2, 3, 4, 3, 4};
}

void WorkspaceCommandsTest::DecimalsStepUpThenAlternate()
{
    QFETCH(int, start);
    QFETCH(QList<int>, steps);
    Workspace workspace;
    workspace.tables.SetDecimals(start);
    for (int expected : steps) {
        workspace.Action(CM_DECIMALS)->trigger();
        QCOMPARE(workspace.tables.Decimals(), expected);
    }
}

void WorkspaceCommandsTest::InvertingEverySelectedElementIsRefused()
{
    Workspace workspace;
    const QStringList box =
        workspace.AnswerMessageBox([&] { workspace.Action(CM_INVERTSELECTION)->trigger(); });
    QCOMPARE(box.value(0), QString("Spekla"));
    QCOMPARE(box.value(1), QString("Element selection cannot be inverted because there would be "
                                   "no elements selected."));
    QCOMPARE(workspace.text.ElementTable[1].selected, uint8_t{1});
    workspace.window.EvCommand(CMD_REMOVE, "-", "FE");
    workspace.Action(CM_INVERTSELECTION)->trigger();
    QCOMPARE(workspace.text.ElementTable[0].selected, uint8_t{0});
    QCOMPARE(workspace.text.ElementTable[1].selected, uint8_t{1});
}

// Typed commands and menu items change the state; the marks only follow it.
void WorkspaceCommandsTest::CheckMarksFollowTheState()
{
    Workspace workspace;
    QAction* kurucz = workspace.Action(CM_SOURCE1);
    QAction* nist = workspace.Action(CM_SOURCE1 + 1);
    QVERIFY(kurucz->isChecked() && nist->isChecked());
    workspace.window.EvCommand(CMD_SOURCE, "SOURCE", "nist");
    QVERIFY(!kurucz->isChecked() && nist->isChecked());
    QCOMPARE(workspace.tables.DisplayList().Count(), 1u);  // rebuilt from NIST alone
    workspace.window.EvCommand(CMD_CLEAR, "CLEAR", "");
    QVERIFY(kurucz->isChecked());
    nist->trigger();  // Ctrl+2
    QVERIFY(!nist->isChecked());
    QVERIFY(!workspace.tables.IsActive(1));
    workspace.window.EvCommand(CMD_VACUUM, "VACUUM", "");
    QVERIFY(workspace.Action(CM_VACUUM)->isChecked());
    QVERIFY(!workspace.Action(CM_AIR)->isChecked());
    workspace.Action(CM_AIR)->trigger();
    QVERIFY(!workspace.Action(CM_VACUUM)->isChecked());
    QVERIFY(workspace.Action(CM_AIR)->isChecked());
    QCOMPARE(workspace.tables.UnitMode(), kUnitAir);
    workspace.Action(CM_LINEAR)->trigger();  // Ctrl+L
    QVERIFY(workspace.tables.Linear());
    QVERIFY(workspace.Action(CM_LINEAR)->isChecked());
}

void WorkspaceCommandsTest::PaneCommandsAreDisabledWithoutThePane()
{
    Workspace workspace;
    QVERIFY(workspace.Action(CM_LINEAR)->isEnabled());
    QVERIFY(workspace.Action(CM_DATAWINDOW)->isChecked());
    workspace.window.EvCommand(CMD_HIDE, "HIDE", "data element");
    QVERIFY(!workspace.Action(CM_LINEAR)->isEnabled());
    QVERIFY(!workspace.Action(CM_PERIODIC)->isEnabled());
    QVERIFY(!workspace.Action(CM_DATAWINDOW)->isChecked());
    QVERIFY(workspace.Action(CM_GRAPHWINDOW)->isChecked());
    workspace.window.EvCommand(CMD_SHOW, "SHOW", "DATA");
    QVERIFY(workspace.Action(CM_LINEAR)->isEnabled());
}

void WorkspaceCommandsTest::WarningsShowInAWarningBox()
{
    Workspace workspace;
    int acted = 1;
    QStringList box = workspace.AnswerMessageBox(
        [&] { acted = workspace.window.EvCommand(CMD_DECIMALS, "DECIMALS", "9"); });
    QCOMPARE(acted, 0);
    QCOMPARE(box, (QStringList{"Warning", "Number of decimals places must be from 0-4 inclusive.",
                               "no icon"}));
    box = workspace.AnswerMessageBox(
        [&] { workspace.window.EvCommand(CMD_SAVE, "SAVE", "selection.txt"); });
    QCOMPARE(box.value(2), QString("exclamation"));
    // A saved selection comes back under the name typed, case and all.
    const QString name = QString::fromStdString(workspace.folder.File("My.sef"));
    QCOMPARE(workspace.window.EvCommand(CMD_SAVE, "SAVE", name), 1);
    workspace.window.EvCommand(CMD_ONLY, "ONLY", "CU");
    QCOMPARE(workspace.window.EvCommand(CMD_LOAD, "LOAD", name), 1);
    QCOMPARE(workspace.text.ElementTable[0].selected, uint8_t{1});
}

// Paging moves a page of rows and stops at the ends; the keys follow the cursor.
void WorkspaceCommandsTest::PagingStopsAtTheEndsOfTheList()
{
    Workspace workspace(true);
    while (workspace.tables.FillStep()) {
    }
    workspace.window.EvLineCount();
    const ValidRecordsArray& list = workspace.tables.DisplayList();
    QCOMPARE(list.Cursor(), list.First());
    QVERIFY(!workspace.Action(CM_PREVIOUSPAGE)->isEnabled());
    workspace.Action(CM_NEXTPAGE)->trigger();  // a page is longer than the four lines
    QCOMPARE(list.Cursor(), list.Last());
    QVERIFY(!workspace.Action(CM_NEXTPAGE)->isEnabled());
    QVERIFY(workspace.Action(CM_PREVIOUS)->isEnabled());
    workspace.window.EvMenuCommand(CM_NEXTPAGE);  // at the end: nothing moves
    QCOMPARE(list.Cursor(), list.Last());
    workspace.Action(CM_PREVIOUS)->trigger();
    QCOMPARE(list.WavelengthAt(list.Cursor()), 4001000);
    workspace.Action(CM_PREVIOUSPAGE)->trigger();
    QCOMPARE(list.Cursor(), list.First());
}

// The Graph menu acts on the graph; its marks and the scan range follow.
void WorkspaceCommandsTest::GraphMenuItemsFollowTheGraph()
{
    Workspace workspace(false, true);
    auto* graph =
        qobject_cast<TGraphWindow*>(workspace.window.Pane(WorkspaceOperations::kGraphPane));
    QVERIFY(graph != nullptr);
    workspace.Action(CM_SUMMATIONONLY)->trigger();
    QCOMPARE(graph->Summation(), SummationMode::DisplayOnly);
    QVERIFY(workspace.Action(CM_SUMMATION)->isChecked());
    QVERIFY(workspace.Action(CM_SUMMATIONONLY)->isChecked());
    workspace.Action(CM_SUMMATIONONLY)->trigger();
    QCOMPARE(graph->Summation(), SummationMode::Display);
    workspace.Action(CM_SUMMATION)->trigger();
    QCOMPARE(graph->Summation(), SummationMode::Off);
    QVERIFY(!workspace.Action(CM_SUMMATION)->isChecked());

    workspace.Action(CM_SCANONLYRANGE)->trigger();
    QCOMPARE(workspace.tables.Span(), 4000);
    QVERIFY(workspace.Action(CM_SCANONLYRANGE)->isChecked());
    workspace.Action(CM_INCREASERANGE)->trigger();  // the limited scan follows the range
    QCOMPARE(graph->Range(), 4.5);
    QCOMPARE(workspace.tables.Span(), 4500);
    workspace.Action(CM_SCANONLYRANGE)->trigger();
    QCOMPARE(workspace.tables.Span(), TableArray::kFullSpan);

    workspace.Action(CM_ORDER1 + 1)->trigger();
    QVERIFY(graph->IsOrderDisplayed(2));
    QVERIFY(workspace.Action(CM_ORDER1 + 1)->isChecked());
    workspace.Action(CM_INCREASEINTENSITY)->trigger();
    QCOMPARE(graph->Height(), 180.0);
    workspace.Action(CM_GRAPHWINDOW)->trigger();  // F6: hidden, every graph item disabled
    QVERIFY(!workspace.window.IsPaneShown(WorkspaceOperations::kGraphPane));
    QVERIFY(!workspace.Action(CM_INCREASERANGE)->isEnabled());
}

void WorkspaceCommandsTest::GraphOptionsReachTheGraph_data()
{
    QTest::addColumn<bool>("fromPopup");
    QTest::addColumn<bool>("ok");
    QTest::newRow("menu, OK") << false << true;
    QTest::newRow("graph popup, OK") << true << true;
    QTest::newRow("menu, Cancel") << false << false;
}

// The dialog opens from the Graph menu and the graph's own popup alike; on OK a scan limited to
// the range follows the new range at once.
void WorkspaceCommandsTest::GraphOptionsReachTheGraph()
{
    QFETCH(bool, fromPopup);
    QFETCH(bool, ok);
    Workspace workspace(false, true);
    auto* graph =
        qobject_cast<TGraphWindow*>(workspace.window.Pane(WorkspaceOperations::kGraphPane));
    QVERIFY(graph != nullptr);
    workspace.Action(CM_SCANONLYRANGE)->trigger();
    QCOMPARE(workspace.tables.Span(), 4000);

    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TGraphOptionsDialog*>(QApplication::activeModalWidget());
        opened = dialog != nullptr;
        if (opened) {
            dialog->findChild<QLineEdit*>("range")->setText("7");
            dialog->findChild<QDialogButtonBox*>()
                ->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
                ->click();
        }
    });
    if (fromPopup) {
        QAction* options = nullptr;
        for (QAction* item : graph->findChild<QMenu*>()->actions()) {
            if (item->text() == "Options...") {
                options = item;
            }
        }
        QVERIFY(options != nullptr);
        options->trigger();
    } else {
        workspace.Action(CM_GRAPHOPTIONS)->trigger();
    }
    QVERIFY(opened);
    QCOMPARE(graph->Range(), ok ? 7.0 : 4.0);
    QCOMPARE(workspace.tables.Span(), ok ? 7000 : 4000);
}

// A pane hidden while its drawing is under way takes its idle work with it, and panes made and
// removed again save just what they restored.
void WorkspaceCommandsTest::PanesRemovedMidWorkLeaveNothingBehind()
{
    Workspace workspace(true, true);
    workspace.window.CleanupWindow();
    const std::string saved = workspace.store.Text();
    workspace.window.RefreshViews();  // a new pass waits for idle time
    QVERIFY(workspace.idle.IsRunning());
    workspace.Action(CM_GRAPHWINDOW)->trigger();
    workspace.Action(CM_DATAWINDOW)->trigger();
    workspace.window.EvLineCount();  // as the idle fill reports, to whatever panes there are
    QTRY_VERIFY(!workspace.idle.IsRunning());
    for (int i = 0; i < 3; ++i) {
        workspace.Action(CM_GRAPHWINDOW)->trigger();
        workspace.Action(CM_DATAWINDOW)->trigger();
        QApplication::processEvents();
    }
    QVERIFY(workspace.window.IsPaneShown(WorkspaceOperations::kGraphPane));
    workspace.window.CleanupWindow();
    QCOMPARE(workspace.store.Text(), saved);
}

// A mistyped or damaged overlay file is reported and leaves the overlay loaded before, shown.
void WorkspaceCommandsTest::AFailedOverlayLoadKeepsTheOverlayShown()
{
    Workspace workspace(false, true);
    GraphView* graph = workspace.window.Graph();
    workspace.folder.WriteText("Scan.txt", "4000.5 100\r\n4000.2 50\r\n");
    workspace.folder.WriteText("damaged.txt", "4000.5 100\n4000.7 lots\n");
    const QString scan = QString::fromStdString(workspace.folder.File("Scan.txt"));
    QCOMPARE(workspace.window.EvCommand(CMD_OVERLAY, "OVERLAY", scan), 1);
    QVERIFY(graph->DisplayOverlay());
    QVERIFY(workspace.Action(CM_DISPLAYOVERLAY)->isEnabled());
    const QStringList missing = workspace.AnswerMessageBox(
        [&] { workspace.window.EvCommand(CMD_OVERLAY, "OVERLAY", scan + ".missing"); });
    QCOMPARE(missing,
             (QStringList{"Warning", "Could not access the overlay file. Overlay was not imported.",
                          "exclamation"}));
    const QStringList damaged = workspace.AnswerMessageBox([&] {
        workspace.window.EvCommand(CMD_OVERLAY, "OVERLAY",
                                   QString::fromStdString(workspace.folder.File("damaged.txt")));
    });
    QCOMPARE(damaged.value(1), QString("Error reading file. Overlay was not imported."));
    QVERIFY(graph->DisplayOverlay());
    QVERIFY(workspace.window.Snapshot().overlayLoaded);
    workspace.Action(CM_DISPLAYOVERLAY)->trigger();
    QVERIFY(!graph->DisplayOverlay());
    workspace.window.EvCommand(CMD_CLEAR, "CLEAR", "");
    QVERIFY(!workspace.window.Snapshot().overlayLoaded);
    QVERIFY(!workspace.Action(CM_DISPLAYOVERLAY)->isEnabled());
}

SPEKLA_QTEST(WorkspaceCommandsTest);

#include "WorkspaceCommandsTest.moc"
