#include "command/CommandNumbers.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphOptionsDialog.h"
#include "graph/TGraphWindow.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TExportDialog.h"
#include "workspace/TSpeklaWindow.h"
#include "workspace/WorkspaceSnapshot.h"

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
    void MenuOnlyCommandsActOnTheState();
    void GraphMenuAndOptionsReachTheGraph();
    void AFailedOverlayLoadKeepsTheOverlayShown();
    void ExportWritesTheFile();
};

namespace {

enum Real { kNone = 0, kList = 1, kGraph = 2 };
const char* const kExportKey = "Software\\Spekla\\Export";

// A workspace at 4000 Å over two small sources, with plain labels as panes unless told
// otherwise, and its action states applied after every change, as the frame does.
struct Workspace {
    explicit Workspace(int real = kNone)
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

// Decimals step up to 4, then back to 3; inverting a selection of every element is refused.
void WorkspaceWindowTest::MenuOnlyCommandsActOnTheState()
{
    Workspace workspace;
    workspace.tables.SetDecimals(3);
    for (int expected : {4, 3}) {
        workspace.Action(CM_DECIMALS)->trigger();
        QCOMPARE(workspace.tables.Decimals(), expected);
    }
    const SeenBox box =
        AnswerNextMessageBox([&] { workspace.Action(CM_INVERTSELECTION)->trigger(); });
    QCOMPARE(box.Caption(), QString("Spekla: Element selection cannot be inverted because there "
                                    "would be no elements selected."));
    workspace.Type(CMD_REMOVE, "-", "FE");
    workspace.Action(CM_INVERTSELECTION)->trigger();
    QVERIFY(!workspace.text.ElementTable[0].selected && workspace.text.ElementTable[1].selected);
}

// A scan limited to the range follows the range, whether changed by the menu or by the options
// dialog.
void WorkspaceWindowTest::GraphMenuAndOptionsReachTheGraph()
{
    Workspace workspace(kGraph);
    workspace.Action(CM_SCANONLYRANGE)->trigger();
    workspace.Action(CM_INCREASERANGE)->trigger();
    QCOMPARE(workspace.tables.Span(), 4500);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TGraphOptionsDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        Find<QLineEdit>(*dialog, "range")->setText("7");
        Find<QDialogButtonBox>(*dialog)->button(QDialogButtonBox::Ok)->click();
    });
    workspace.Action(CM_GRAPHOPTIONS)->trigger();
    QCOMPARE(workspace.tables.Span(), 7000);
}

// A mistyped or damaged overlay file is reported and leaves the overlay loaded before, shown.
void WorkspaceWindowTest::AFailedOverlayLoadKeepsTheOverlayShown()
{
    Workspace workspace(kGraph);
    workspace.folder.WriteText("Scan.txt", "4000.5 100\r\n4000.2 50\r\n");
    workspace.folder.WriteText("damaged.txt", "4000.5 100\n4000.7 lots\n");
    const QString scan = QString::fromStdString(workspace.folder.File("Scan.txt"));
    QCOMPARE(workspace.Type(CMD_OVERLAY, "OVERLAY", scan), 1);
    QCOMPARE(workspace.Refused(CMD_OVERLAY, "OVERLAY", scan + ".missing").Caption(),
             QString("Warning: Could not access the overlay file. Overlay was not imported."));
    QCOMPARE(workspace.Refused(CMD_OVERLAY, "OVERLAY", scan.chopped(8) + "damaged.txt").text,
             QString("Error reading file. Overlay was not imported."));
    QVERIFY(workspace.window.Graph()->DisplayOverlay());
    QVERIFY(workspace.Action(CM_DISPLAYOVERLAY)->isEnabled());
    workspace.Type(CMD_CLEAR, "CLEAR", "");
    QVERIFY(!workspace.Action(CM_DISPLAYOVERLAY)->isEnabled());
}

// From the menu the range starts as the graph's, at most 10, and OK exports and stores what the
// dialog holds. Typed, "~" is the home folder; either way the list is completed around the
// window first, so the file holds every line of the range. A failed write says why.
void WorkspaceWindowTest::ExportWritesTheFile()
{
    Workspace workspace(kGraph);
    workspace.Graph()->SetRange(25.0);
    QString range;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TExportDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        range = Find<QLineEdit>(*dialog, "range")->text();
        Find<QLineEdit>(*dialog, "range")->setText("1");
        Find<QRadioButton>(*dialog, "data")->click();
        Find<QDialogButtonBox>(*dialog)->button(QDialogButtonBox::Ok)->click();
    });
    workspace.Action(CM_EXPORT)->trigger();
    QCOMPARE(range, QString("10."));
    QCOMPARE(workspace.folder.ReadText("Lines.txt"), kDataHeader + kRowsToHalf + "\n");
    workspace.window.CleanupWindow();
    QCOMPARE(workspace.store.CreateKey(kExportKey).GetString("Range").value_or(""), "1");

    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(workspace.folder.Path()));
    const int acted = workspace.Type(CMD_EXPORT, "EXPORT", "~/Lines.txt DATA 2");
    qputenv("HOME", home);
    QCOMPARE(acted, 1);
    QCOMPARE(workspace.folder.ReadText("Lines.txt"),
             kDataHeader + kRowsToHalf + "4001.000\tFe\tI\t1.0\t\t\t\t\t\n\n");

    const std::string missing = workspace.folder.File("missing/Lines.txt");
    const SeenBox box =
        workspace.Refused(CMD_EXPORT, "EXPORT", QString::fromStdString(missing + " DATA 1"));
    QVERIFY2(box.Caption().startsWith(
                 QString::fromStdString("Warning: Could not export to " + missing + ".\n\n")),
             qPrintable(box.text));
    QVERIFY(box.text.size() > static_cast<qsizetype>(missing.size()) + 24);  // a reason
}

SPEKLA_QTEST(WorkspaceWindowTest);

#include "WorkspaceWindowTest.moc"
