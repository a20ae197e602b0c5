#include "workspace/TExportDialog.h"
#include "command/CommandNumbers.h"
#include "command/GraphView.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/NumberFormat.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphOptionsDialog.h"
#include "graph/TGraphWindow.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"
#include "workspace/WorkspaceSnapshot.h"

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

// The workspace window: its panes, its menu commands and typed commands as far as they reach
// beyond the interpreter (message boxes, dialogs, files, check marks).
class WorkspaceWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ArrangementFollowsTheOrderShown_data();
    void ArrangementFollowsTheOrderShown();
    void PanesRemovedMidWorkLeaveNothingBehind();
    void MenuOnlyCommandsActOnTheState();
    void WarningsShowInAWarningBox();
    void GraphMenuItemsFollowTheGraph();
    void GraphOptionsReachTheGraph();
    void AFailedOverlayLoadKeepsTheOverlayShown();
    void TypedExportWritesTheFile();
    void ExportMenuItemAsksFirst();
};

namespace {

enum Real { kNone = 0, kList = 1, kGraph = 2 };
const char* const kExportKey = "Software\\Spekla\\Export";

// A workspace at 4000 Å over two small sources, with plain labels as panes unless told
// otherwise, and its action states applied after every change, as the frame does.
struct Workspace {
    explicit Workspace(int real = kNone, bool graphShown = true)
        : store(SettingsStore::Root::CurrentUser, folder.File("settings.reg")),
          window(text, tables, store, idle)
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe", "Cu"}));
        folder.WriteTable("Kurucz.swt", {Line(4000000), Line(4001000, 1), Line(4002000, 2)});
        folder.WriteTable("NIST.swt", {Line(4000500, 1)});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
        for (auto [id, kind] : {std::pair{WorkspaceOperations::kElementPane, kNone},
                                {WorkspaceOperations::kDataPane, kList},
                                {WorkspaceOperations::kGraphPane, kGraph}}) {
            if ((real & kind) == 0) {
                window.SetPaneFactory(id, [] { return new QLabel; });
            }
        }
        store.CreateKey("Software\\Spekla").SetDword("Wavelength", 4000000);
        store.CreateKey("Software\\Spekla\\Graph Window").SetDword("Active", graphShown ? 1 : 0);
        store.CreateKey(kExportKey).SetString("Filename", folder.File("Lines.txt"));
        window.resize(600, 400);
        window.show();
        QObject::connect(&window, &TSpeklaWindow::StateChanged,
                         [this] { window.Actions().Apply(window.Snapshot()); });
        window.SetupWindow(&sources);
    }

    QAction* Action(int id) { return window.Actions().Action(id); }
    TGraphWindow* Graph() { return window.GraphWindow(); }
    int Type(int id, const char* keyword, const QString& argument)
    {
        return window.EvCommand(id, keyword, argument);
    }
    // Runs a typed command and answers the box it opens.
    SeenBox Refused(int id, const char* keyword, const QString& argument)
    {
        return AnswerNextMessageBox([&] { QCOMPARE(Type(id, keyword, argument), 0); });
    }
    QRect Place(WorkspaceOperations::PaneId id) const
    {
        QWidget* pane = window.Pane(id);
        return pane == nullptr ? QRect() : QRect(pane->mapTo(&window, QPoint()), pane->size());
    }
    // The export settings as the workspace saves them.
    std::string Stored(const char* name)
    {
        window.CleanupWindow();
        return store.CreateKey(kExportKey).GetString(name).value_or("(none)");
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store;
    IdleDriver idle;
    QMenu sources;
    TSpeklaWindow window;
};

const std::string kDataHeader = "Wavelength\tElement\tValence\tKurucz\t\tNIST\t\tReference\n";
const std::string kRowsToHalf = "4000.000\tH\tI\t1.0\t\t\t\t\t\n4000.500\tFe\tI\t\t\t1.0\t\t\t\n";

}  // namespace

void WorkspaceWindowTest::ArrangementFollowsTheOrderShown_data()
{
    QTest::addColumn<QString>("order");
    for (const char* order :
         {"G", "DE", "ED", "EG", "GE", "DG", "GD", "DEG", "EDG", "EGD", "GED", "DGE", "GDE"}) {
        QTest::newRow(order) << QString(order);
    }
}

// Element left of data, both above the graph, whatever the order the panes are shown in after
// all were hidden; a pane alone fills the workspace.
void WorkspaceWindowTest::ArrangementFollowsTheOrderShown()
{
    QFETCH(QString, order);
    Workspace workspace;
    for (QChar pane : "EDG" + order) {
        pane == 'E'   ? workspace.window.ToggleElementWindow()
        : pane == 'D' ? workspace.window.ToggleDataWindow()
                      : workspace.window.ToggleGraphWindow();
    }
    QCOMPARE(workspace.window.PaneCount(), order.size());
    QApplication::processEvents();
    const QRect element = workspace.Place(WorkspaceOperations::kElementPane);
    const QRect data = workspace.Place(WorkspaceOperations::kDataPane);
    const QRect graph = workspace.Place(WorkspaceOperations::kGraphPane);
    if (order.contains('E') && order.contains('D')) {
        QVERIFY2(element.right() < data.left(), "element left of data");
        QCOMPARE(element.top(), data.top());
    }
    for (const QRect& above : {element, data}) {
        if (!above.isNull() && order.contains('G')) {
            QVERIFY2(above.bottom() < graph.top(), "graph below the others");
        }
    }
    if (order == "G") {
        QCOMPARE(graph.size(), workspace.window.size());
    }
}

// A pane hidden while its drawing is under way takes its idle work with it; panes made and
// removed again save just what they restored; the next workspace shows the panes left shown.
void WorkspaceWindowTest::PanesRemovedMidWorkLeaveNothingBehind()
{
    Workspace workspace(kList | kGraph);
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
    workspace.window.CleanupWindow();
    QCOMPARE(workspace.store.Text(), saved);

    workspace.Action(CM_ELEMENTWINDOW)->trigger();
    workspace.window.CleanupWindow();
    TSpeklaWindow next(workspace.text, workspace.tables, workspace.store, workspace.idle);
    for (auto id : {WorkspaceOperations::kElementPane, WorkspaceOperations::kDataPane,
                    WorkspaceOperations::kGraphPane}) {
        next.SetPaneFactory(id, [] { return new QLabel; });
    }
    QMenu sources;
    next.SetupWindow(&sources);
    QVERIFY(!next.IsPaneShown(WorkspaceOperations::kElementPane));
    QVERIFY(next.IsPaneShown(WorkspaceOperations::kDataPane));
    QVERIFY(next.IsPaneShown(WorkspaceOperations::kGraphPane));
}

// Decimals step up to 4, then alternate with 3; inverting a selection of every element is
// refused.
void WorkspaceWindowTest::MenuOnlyCommandsActOnTheState()
{
    Workspace workspace;
    workspace.tables.SetDecimals(0);
    for (int expected : {1, 2, 3, 4, 3, 4}) {
        workspace.Action(CM_DECIMALS)->trigger();
        QCOMPARE(workspace.tables.Decimals(), expected);
    }
    const SeenBox box =
        AnswerNextMessageBox([&] { workspace.Action(CM_INVERTSELECTION)->trigger(); });
    QCOMPARE(box.Caption(), QString("Spekla: Element selection cannot be inverted because there "
                                    "would be no elements selected."));
    QCOMPARE(workspace.text.ElementTable[1].selected, uint8_t{1});
    workspace.Type(CMD_REMOVE, "-", "FE");
    workspace.Action(CM_INVERTSELECTION)->trigger();
    QCOMPARE(workspace.text.ElementTable[0].selected, uint8_t{0});
    QCOMPARE(workspace.text.ElementTable[1].selected, uint8_t{1});
}

// A refused command's warning has no icon; a failed file has the exclamation mark. A saved
// selection comes back under the name typed, case and all.
void WorkspaceWindowTest::WarningsShowInAWarningBox()
{
    Workspace workspace;
    SeenBox box = workspace.Refused(CMD_DECIMALS, "DECIMALS", "9");
    QCOMPARE(box.Caption(),
             QString("Warning: Number of decimals places must be from 0-4 inclusive."));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    box = workspace.Refused(CMD_SAVE, "SAVE", "selection.txt");
    QCOMPARE(box.icon, QMessageBox::Warning);
    const QString name = QString::fromStdString(workspace.folder.File("My.sef"));
    QCOMPARE(workspace.Type(CMD_SAVE, "SAVE", name), 1);
    workspace.Type(CMD_ONLY, "ONLY", "CU");
    QCOMPARE(workspace.Type(CMD_LOAD, "LOAD", name), 1);
    QCOMPARE(workspace.text.ElementTable[0].selected, uint8_t{1});
}

// The Graph menu's summation items cycle through the modes, and a scan limited to the range
// follows the range.
void WorkspaceWindowTest::GraphMenuItemsFollowTheGraph()
{
    Workspace workspace(kGraph);
    TGraphWindow* graph = workspace.Graph();
    for (auto [item, mode] : {std::pair{CM_SUMMATIONONLY, SummationMode::DisplayOnly},
                              {CM_SUMMATIONONLY, SummationMode::Display},
                              {CM_SUMMATION, SummationMode::Off}}) {
        workspace.Action(item)->trigger();
        QCOMPARE(graph->Summation(), mode);
    }
    workspace.Action(CM_SCANONLYRANGE)->trigger();
    QCOMPARE(workspace.tables.Span(), 4000);
    workspace.Action(CM_INCREASERANGE)->trigger();
    QCOMPARE(graph->Range(), 4.5);
    QCOMPARE(workspace.tables.Span(), 4500);
    workspace.Action(CM_SCANONLYRANGE)->trigger();
    QCOMPARE(workspace.tables.Span(), TableArray::kFullSpan);
    workspace.Action(CM_ORDER1 + 1)->trigger();
    QVERIFY(graph->IsOrderDisplayed(2));
    workspace.Action(CM_INCREASEINTENSITY)->trigger();
    QCOMPARE(graph->Height(), 180.0);
}

// The dialog opens from the Graph menu and the graph's own popup alike; on OK a scan limited to
// the range follows the new range at once, on Cancel nothing changes.
void WorkspaceWindowTest::GraphOptionsReachTheGraph()
{
    Workspace workspace(kGraph);
    workspace.Action(CM_SCANONLYRANGE)->trigger();
    QAction* popup = nullptr;
    for (QAction* item : Find<QMenu>(*workspace.Graph())->actions()) {
        popup = item->text() == "Options..." ? item : popup;
    }
    for (auto [item, ok] : {std::pair{workspace.Action(CM_GRAPHOPTIONS), true}, {popup, false}}) {
        bool opened = false;
        QTimer::singleShot(0, [&, ok = ok] {
            auto* dialog = qobject_cast<TGraphOptionsDialog*>(QApplication::activeModalWidget());
            opened = dialog != nullptr;
            if (opened) {
                Find<QLineEdit>(*dialog, "range")->setText(ok ? "7" : "9");
                Find<QDialogButtonBox>(*dialog)
                    ->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
                    ->click();
            }
        });
        QVERIFY(item != nullptr);
        item->trigger();
        QVERIFY(opened);
        QCOMPARE(workspace.Graph()->Range(), 7.0);
        QCOMPARE(workspace.tables.Span(), 7000);
    }
}

// A mistyped or damaged overlay file is reported and leaves the overlay loaded before, shown.
void WorkspaceWindowTest::AFailedOverlayLoadKeepsTheOverlayShown()
{
    Workspace workspace(kGraph);
    GraphView* graph = workspace.window.Graph();
    workspace.folder.WriteText("Scan.txt", "4000.5 100\r\n4000.2 50\r\n");
    workspace.folder.WriteText("damaged.txt", "4000.5 100\n4000.7 lots\n");
    const QString scan = QString::fromStdString(workspace.folder.File("Scan.txt"));
    QCOMPARE(workspace.Type(CMD_OVERLAY, "OVERLAY", scan), 1);
    QVERIFY(graph->DisplayOverlay() && workspace.Action(CM_DISPLAYOVERLAY)->isEnabled());
    SeenBox box = workspace.Refused(CMD_OVERLAY, "OVERLAY", scan + ".missing");
    QCOMPARE(box.Caption(),
             QString("Warning: Could not access the overlay file. Overlay was not imported."));
    QCOMPARE(box.icon, QMessageBox::Warning);
    box = workspace.Refused(CMD_OVERLAY, "OVERLAY",
                            QString::fromStdString(workspace.folder.File("damaged.txt")));
    QCOMPARE(box.text, QString("Error reading file. Overlay was not imported."));
    QVERIFY(graph->DisplayOverlay() && workspace.window.Snapshot().overlayLoaded);
    workspace.Action(CM_DISPLAYOVERLAY)->trigger();
    QVERIFY(!graph->DisplayOverlay());
    workspace.Type(CMD_CLEAR, "CLEAR", "");
    QVERIFY(!workspace.window.Snapshot().overlayLoaded);
    QVERIFY(!workspace.Action(CM_DISPLAYOVERLAY)->isEnabled());
}

// The list is completed around the window and the graph's pass run to its end first, so the
// file holds every line of the range and the curve as the graph would draw it. "~" is the home
// folder. A range the field would refuse writes and stores nothing; a failed write says why.
void WorkspaceWindowTest::TypedExportWritesTheFile()
{
    Workspace workspace(kGraph);
    TGraphWindow* graph = workspace.Graph();
    QVERIFY(!graph->IsPassComplete());
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(workspace.folder.Path()));
    const int acted = workspace.Type(CMD_EXPORT, "EXPORT", "~/Lines.txt DATA 2");
    qputenv("HOME", home);
    QCOMPARE(acted, 1);
    QCOMPARE(workspace.folder.ReadText("Lines.txt"),
             kDataHeader + kRowsToHalf + "4001.000\tFe\tI\t1.0\t\t\t\t\t\n\n");
    QCOMPARE(workspace.Stored("Filename"), std::string("~/Lines.txt"));

    const QString lines = QString::fromStdString(workspace.folder.File("Lines.txt"));
    QCOMPARE(workspace.Type(CMD_EXPORT, "EXPORT", lines + " sum"), 1);  // the range stays 2
    QVERIFY(graph->IsPassComplete());
    const std::vector<double>& samples = graph->Curve().Samples();
    const QStringList rows =
        QString::fromStdString(workspace.folder.ReadText("Lines.txt")).split('\n');
    QCOMPARE(rows.size(), static_cast<qsizetype>(samples.size()) + 4);
    for (size_t j = 0; j < samples.size(); ++j) {
        QCOMPARE(rows[static_cast<qsizetype>(j) + 2].section('\t', 1),
                 QString::fromStdString(FormatDefault(samples[j])));
    }
    QVERIFY2(*std::max_element(samples.begin(), samples.end()) > 1.0, "the plot's lines added");

    SeenBox box = workspace.Refused(CMD_EXPORT, "EXPORT", lines + "x SUM 11");
    QCOMPARE(box.Caption(), QString("Warning: Value must lie with the range 0 to 10."));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(!std::filesystem::exists(lines.toStdString() + "x"));
    QCOMPARE(workspace.Stored("Filename"), lines.toStdString());
    QCOMPARE(workspace.Stored("Range"), std::string("2"));
    const std::string missing = workspace.folder.File("missing/Lines.txt");
    box = workspace.Refused(CMD_EXPORT, "EXPORT", QString::fromStdString(missing + " DATA 1"));
    QVERIFY2(box.Caption().startsWith(
                 QString::fromStdString("Warning: Could not export to " + missing + ".\n\n")),
             qPrintable(box.text));
    QVERIFY(box.text.size() > static_cast<qsizetype>(missing.size()) + 24);  // a reason
    QCOMPARE(box.icon, QMessageBox::Warning);
}

// The range starts as the graph's, at most 10, or 5.0 without the graph; OK exports what the
// dialog holds; a cancelled dialog writes nothing but keeps the range text.
void WorkspaceWindowTest::ExportMenuItemAsksFirst()
{
    for (bool graphShown : {true, false}) {
        Workspace workspace(kGraph, graphShown);
        if (graphShown) {
            workspace.Graph()->SetRange(25.0);
        }
        QString range;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TExportDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            range = Find<QLineEdit>(*dialog, "range")->text();
            QCOMPARE(Find<QLineEdit>(*dialog, "fileName")->text(),
                     QString::fromStdString(workspace.folder.File("Lines.txt")));
            Find<QLineEdit>(*dialog, "range")->setText("1");
            Find<QRadioButton>(*dialog, "data")->click();
            Find<QDialogButtonBox>(*dialog)
                ->button(graphShown ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
                ->click();
        });
        workspace.Action(CM_EXPORT)->trigger();
        QCOMPARE(range, QString(graphShown ? "10." : "5.0"));
        QCOMPARE(std::filesystem::exists(workspace.folder.File("Lines.txt")), graphShown);
        QCOMPARE(workspace.Stored("Range"), std::string(graphShown ? "1" : "5.0"));
        if (graphShown) {
            QCOMPARE(workspace.folder.ReadText("Lines.txt"), kDataHeader + kRowsToHalf + "\n");
            QCOMPARE(workspace.store.CreateKey(kExportKey).GetDword("Data"),
                     std::optional<uint32_t>(1));
        }
    }
}

SPEKLA_QTEST(WorkspaceWindowTest);

#include "WorkspaceWindowTest.moc"
