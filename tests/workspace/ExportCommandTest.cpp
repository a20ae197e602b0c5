#include "workspace/TExportDialog.h"
#include "command/CommandNumbers.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "framework/IdleDriver.h"
#include "framework/NumberFormat.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsStore.h"
#include "graph/TGraphWindow.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"

#include <filesystem>
#include <functional>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

class ExportCommandTest : public QObject {
    Q_OBJECT

private slots:
    void TypedExportWritesTheFile();
    void BadRangeWarnsAndWritesNothing_data();
    void BadRangeWarnsAndWritesNothing();
    void FailedWriteWarnsAndKeepsTheOldFile();
    void HomeFolderStandsForTilde();
    void MenuItemAsksFirst();
    void CancelWritesNothing();
};

namespace {

const char* const kExportKey = "Software\\Spekla\\Export";

const std::string kDataHeader = "Wavelength\tElement\tValence\tKurucz\t\tNIST\t\tReference\n";
const std::string kRowH = "4000.000\tH\tI\t1.0\t\t\t\t\t\n";
const std::string kRowNist = "4000.500\tFe\tI\t\t\t1.0\t\t\t\n";
const std::string kRowFe = "4001.000\tFe\tI\t1.0\t\t\t\t\t\n";

// A workspace at 4000 Å over two small sources, with the real graph unless told otherwise, and
// `exportFile` as the stored export file.
struct Workspace {
    explicit Workspace(bool graph = true)
        : store(SettingsStore::Root::CurrentUser, folder.File("settings.reg")),
          window(text, tables, store, idle),
          exportFile(folder.File("Lines.txt"))
    {
        folder.WriteText("ELEMENTS", ElementsText({"H", "Fe", "Cu"}));
        folder.WriteTable("Kurucz.swt", {Line(4000000), Line(4001000, 1), Line(4002000, 2)});
        folder.WriteTable("NIST.swt", {Line(4000500, 1)});
        text.Load(folder.Path());
        tables.ScanDirectory(folder.Path());
        window.SetPaneFactory(WorkspaceOperations::kElementPane, [] { return new QLabel; });
        window.SetPaneFactory(WorkspaceOperations::kDataPane, [] { return new QLabel; });
        store.CreateKey("Software\\Spekla").SetDword("Wavelength", 4000000);
        store.CreateKey("Software\\Spekla\\Graph Window").SetDword("Active", graph ? 1 : 0);
        store.CreateKey(kExportKey).SetString("Filename", exportFile);
        window.resize(600, 400);
        window.show();
        window.SetupWindow(&sources);
    }

    TGraphWindow* Graph() { return window.GraphWindow(); }
    bool Exported() const { return std::filesystem::exists(exportFile); }
    std::string Content() const { return folder.ReadText("Lines.txt"); }

    // The export settings as the workspace saves them.
    std::string Stored(const char* name)
    {
        window.CleanupWindow();
        return store.CreateKey(kExportKey).GetString(name).value_or("(none)");
    }

    int Export(const std::string& argument)
    {
        return window.EvCommand(CMD_EXPORT, "EXPORT", QString::fromStdString(argument));
    }

    TempFolder folder;
    TextTables text;
    TableArray tables{text};
    SettingsStore store;
    IdleDriver idle;
    QMenu sources;
    TSpeklaWindow window;
    std::string exportFile;
};

// Runs `act` and hands the first modal widget it opens to `answer`.
template <typename Modal>
void WhenModal(const std::function<void()>& act, const std::function<void(Modal*)>& answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
            modal != nullptr && !answered) {
            answered = true;
            answer(modal);
        }
    });
    poll.start(10);
    act();
    QVERIFY(answered);
}

// The caption, text and icon of the message box `act` opens.
QStringList AnswerMessageBox(const std::function<void()>& act)
{
    QStringList seen;
    WhenModal<QMessageBox>(act, [&](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(),
                box->icon() == QMessageBox::Warning ? "exclamation" : "no icon"};
        box->accept();
    });
    return seen;
}

void Press(TExportDialog* dialog, QDialogButtonBox::StandardButton which)
{
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

}  // namespace

// The list is completed around the window and the graph's pass run to its end first, so the
// file holds every line of the range and the curve as the graph would draw it.
void ExportCommandTest::TypedExportWritesTheFile()
{
    Workspace workspace;
    TGraphWindow* graph = workspace.Graph();
    QVERIFY(graph != nullptr);
    QVERIFY(!graph->IsPassComplete());
    QCOMPARE(workspace.Export(workspace.exportFile + " DATA 2"), 1);
    QCOMPARE(workspace.Content(), kDataHeader + kRowH + kRowNist + kRowFe + "\n");

    QCOMPARE(workspace.Export(workspace.exportFile + " sum"), 1);  // the range stays 2
    QVERIFY(graph->IsPassComplete());
    const std::vector<double>& samples = graph->Curve().Samples();
    const QStringList lines = QString::fromStdString(workspace.Content()).split('\n');
    QCOMPARE(lines.size(), static_cast<qsizetype>(samples.size()) + 4);
    QCOMPARE(lines.first(), QString("Summation data"));
    double highest = 0.0;
    for (size_t j = 0; j < samples.size(); ++j) {
        const QString value = lines[static_cast<qsizetype>(j) + 2].section('\t', 1);
        QCOMPARE(value, QString::fromStdString(FormatDefault(samples[j])));
        highest = std::max(highest, samples[j]);
    }
    QVERIFY2(highest > 1.0, "the lines of the plot were added to the curve");
    QCOMPARE(workspace.Stored("Range"), std::string("2"));
}

void ExportCommandTest::BadRangeWarnsAndWritesNothing_data()
{
    QTest::addColumn<QString>("range");
    for (const char* range : {"abc", "11", "-1", "nan", "inf", "1e1"}) {
        QTest::newRow(range) << range;
    }
}

// The typed choices are refused as a whole: nothing is written and nothing stored.
void ExportCommandTest::BadRangeWarnsAndWritesNothing()
{
    QFETCH(QString, range);
    Workspace workspace;
    const std::string other = workspace.folder.File("Other.txt");
    int acted = 1;
    const QStringList box =
        AnswerMessageBox([&] { acted = workspace.Export(other + " SUM " + range.toStdString()); });
    QCOMPARE(acted, 0);
    QCOMPARE(box,
             (QStringList{"Warning", "Value must lie with the range 0 to 10.", "exclamation"}));
    QVERIFY(!std::filesystem::exists(other));
    QCOMPARE(workspace.Stored("Filename"), workspace.exportFile);
}

void ExportCommandTest::FailedWriteWarnsAndKeepsTheOldFile()
{
    Workspace workspace;
    std::filesystem::create_directory(workspace.folder.File("folder.txt"));
    const std::string targets[] = {workspace.folder.File("missing/Lines.txt"),
                                   workspace.folder.File("folder.txt")};
    for (const std::string& target : targets) {
        int acted = 1;
        const QStringList box =
            AnswerMessageBox([&] { acted = workspace.Export(target + " DATA 1"); });
        QCOMPARE(acted, 0);
        QCOMPARE(box.value(0), QString("Warning"));
        QVERIFY2(box.value(1).startsWith(
                     QString::fromStdString("Could not export to " + target + ".\n\n")),
                 qPrintable(box.value(1)));
        QVERIFY(box.value(1).size() > static_cast<qsizetype>(target.size()) + 24);  // a reason
        QCOMPARE(box.value(2), QString("exclamation"));
    }
    QVERIFY(std::filesystem::is_directory(workspace.folder.File("folder.txt")));
    QVERIFY(!std::filesystem::exists(workspace.folder.File("missing")));
}

void ExportCommandTest::HomeFolderStandsForTilde()
{
    Workspace workspace;
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(workspace.folder.Path()));
    const int acted = workspace.Export("~/Home.txt DATA 1");
    qputenv("HOME", home);
    QCOMPARE(acted, 1);
    QCOMPARE(workspace.folder.ReadText("Home.txt"), kDataHeader + kRowH + kRowNist + "\n");
    QCOMPARE(workspace.Stored("Filename"), std::string("~/Home.txt"));
}

// The range starts as the graph's, at most 10; OK exports what the dialog holds.
void ExportCommandTest::MenuItemAsksFirst()
{
    Workspace workspace;
    workspace.Graph()->SetRange(25.0);
    WhenModal<TExportDialog>([&] { workspace.window.Actions().Action(CM_EXPORT)->trigger(); },
                             [&](TExportDialog* dialog) {
                                 auto* range = dialog->findChild<QLineEdit*>("range");
                                 QCOMPARE(range->text(), QString("10."));
                                 QCOMPARE(dialog->findChild<QLineEdit*>("fileName")->text(),
                                          QString::fromStdString(workspace.exportFile));
                                 range->setText("1");
                                 dialog->findChild<QRadioButton*>("data")->click();
                                 Press(dialog, QDialogButtonBox::Ok);
                             });
    QCOMPARE(workspace.Content(), kDataHeader + kRowH + kRowNist + "\n");
    QCOMPARE(workspace.Stored("Range"), std::string("1"));
    QCOMPARE(workspace.store.CreateKey(kExportKey).GetDword("Data"), std::optional<uint32_t>(1));
}

// Without the graph the range starts at 5.0, and a cancelled dialog still keeps that text.
void ExportCommandTest::CancelWritesNothing()
{
    Workspace workspace(false);
    QVERIFY(workspace.Graph() == nullptr);
    WhenModal<TExportDialog>([&] { workspace.window.EvCommand(CMD_EXPORT, "EXPORT", ""); },
                             [&](TExportDialog* dialog) {
                                 QCOMPARE(dialog->findChild<QLineEdit*>("range")->text(),
                                          QString("5.0"));
                                 Press(dialog, QDialogButtonBox::Cancel);
                             });
    QVERIFY(!workspace.Exported());
    QCOMPARE(workspace.Stored("Range"), std::string("5.0"));
}

SPEKLA_QTEST(ExportCommandTest);

#include "ExportCommandTest.moc"
