#include "app/TSDIDecFrame.h"
#include "app/TSaveGraphDialog.h"
#include "app/TSpeklaApp.h"
#include "command/GraphView.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/TDataWindow.h"
#include "framework/THelpFileManager.h"
#include "framework/THelpWindow.h"
#include "graph/TGraphWindow.h"
#include "support/FileSizeLimit.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWindow>

// Whole runs of the program in a temporary installation with its own settings folder: what
// only the program as a whole can get wrong (start, settings kept for the next start, keys,
// printing and pictures, help).
class ProgramRunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void SettingsCarryOverToTheNextStart();
    void StartsWithoutAnyTable();
    void ListFollowsARefillOfTheSameSize();
    void KeysMenusAndToolBarReachTheWorkspace();
    void PrintsAndSavesPictures();
    void HelpOpensAtTheTopicAsked();

private:
    std::unique_ptr<TSpeklaApp> Start(const char* scanned = "100%");
    void Quit(TSpeklaApp& app);
    void WriteTables(int count, int step);
    QString InConfig(const char* name) const
    {
        return QString::fromStdString(m_config->File(name));
    }

    std::unique_ptr<TempFolder> m_installation;
    std::unique_ptr<TempFolder> m_config;
};

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMenu* SourcesMenu(TSpeklaApp& app)
{
    for (QAction* action : app.MainWindow()->menuBar()->actions()) {
        if (action->text() == "&Sources") {
            return action->menu();
        }
    }
    qFatal("no Sources menu");
}

GraphView* Graph(TSpeklaApp& app)
{
    return app.MainWindow()->Workspace()->Graph();
}

// Types a line into the command line and presses Enter; gives the warning that came up.
QString Type(TSpeklaApp& app, const QString& line)
{
    QLineEdit* edit = app.MainWindow()->CommandLine()->LineEdit();
    return AnswerNextMessageBox([&] {
               QTest::keyClicks(edit, line);
               QTest::keyClick(edit, Qt::Key_Return);
           })
        .text;
}

// The tool bar's button for menu command `id`.
QAction* Button(TSpeklaApp& app, int id)
{
    for (QAction* action : Find<QToolBar>(*app.MainWindow(), "Toolbar")->actions()) {
        if (!action->isSeparator() && action->data().toInt() == id) {
            return action;
        }
    }
    qFatal("no tool button %d", id);
}

}  // namespace

void ProgramRunTest::init()
{
    m_installation = std::make_unique<TempFolder>();
    m_config = std::make_unique<TempFolder>();
    qputenv("SPEKLA_CONFIG_DIR", QByteArray::fromStdString(m_config->Path()));
    WriteTables(20000, 250);
    m_installation->WriteText("ELEMENTS", "1   0 0  H\r\n26 3 7 Fe\n29 3 10   Cu  \n\n");
    m_installation->WriteText("DESCRIPT", "blended\n");
}

void ProgramRunTest::WriteTables(int count, int step)
{
    std::vector<LineRecord> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(Line(2000000 + step * i, static_cast<uint8_t>(i % 3)));
    }
    m_installation->WriteTable("first.swt", lines);
    m_installation->WriteTable("second.swt", lines);
}

// Starts the program and waits until it has read every table and gone idle.
std::unique_ptr<TSpeklaApp> ProgramRunTest::Start(const char* scanned)
{
    auto app = std::make_unique<TSpeklaApp>();
    app->InitInstance(QString::fromStdString(m_installation->Path()));
    TSDIDecFrame* frame = app->MainWindow();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(frame)); }();
    [&] { QTRY_COMPARE_WITH_TIMEOUT(frame->ScanText(), QString(scanned), 10000); }();
    [&] { QTRY_VERIFY(!app->Idle().IsRunning()); }();
    return app;
}

void ProgramRunTest::Quit(TSpeklaApp& app)
{
    QCOMPARE(Type(app, "quit"), QString());
    QTRY_VERIFY(!app.MainWindow()->isVisible());
    QVERIFY(app.TermInstance());
}

// Damaged values leave defaults and an unknown line stays; a stored summation mode applies to
// every graph pane made; what the user changed is back at the next start.
void ProgramRunTest::SettingsCarryOverToTheNextStart()
{
    m_config->WriteText("HKEY_CURRENT_USER.reg",
                        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n"
                        "\"Placement\"=hex:01,02,03\n\"Decimals\"=\"many\"\n"
                        "this line means nothing\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Spekla\\Graph Window]\n"
                        "\"Use Summation\"=dword:00000002\n");
    QRect placed;
    QList<int> dragged;
    QString minimumShown;
    {
        auto app = Start();
        QCOMPARE(app->Tables().DisplayList().Count(), 40000u);
        QCOMPARE(app->Tables().Decimals(), 3);
        QCOMPARE(app->MainWindow()->size(), QSize(1000, 700));
        QCOMPARE(Graph(*app)->Summation(), SummationMode::DisplayOnly);
        for (const char* line : {"summation off", "hide graph", "show graph"}) {
            QCOMPARE(Type(*app, line), QString());
        }
        QCOMPARE(Graph(*app)->Summation(), SummationMode::DisplayOnly);

        QAction* second = SourcesMenu(*app)->actions().value(1);
        QCOMPARE(second->text(), QString("&2  second"));
        QCOMPARE(second->shortcut(), QKeySequence("Ctrl+2"));
        second->trigger();
        QVERIFY(!app->Tables().IsActive(1));
        QTRY_VERIFY(!app->Idle().IsRunning());
        QCOMPARE(app->Tables().DisplayList().Count(), 20000u);

        for (const char* line :
             {"decimals 2", "VACUUM", "ion I, II", "linear", "minimum 5", "only fe cu",
              "ratios FE 2.5", "source Second", "down 4000000000", "air", "50000"}) {
            QCOMPARE(Type(*app, line), QString());
        }
        QCOMPARE(Type(*app, "DECIMALS 9"),
                 QString("Number of decimals places must be from 0-4 inclusive."));
        QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 5000250);  // Fe, not H
        // 5 on the linear scale is the threshold 4.5 (what rounds to 5), as code units.
        QVERIFY(std::abs(app->Tables().MinIntensity() - 6.532125) < 1e-5);
        minimumShown = app->MainWindow()->MinIntensityText();

        app->MainWindow()->setGeometry(60, 80, 640, 420);
        placed = app->MainWindow()->geometry();
        auto* outer = app->MainWindow()->Workspace()->findChild<QSplitter*>();
        const int total = outer->sizes().at(0) + outer->sizes().at(1);
        outer->setSizes({total / 4, total - total / 4});
        emit outer->splitterMoved(total / 4, 1);
        dragged = outer->sizes();
        Quit(*app);
    }
    const std::string settings = m_config->ReadText("HKEY_CURRENT_USER.reg");
    QVERIFY(settings.find("this line means nothing") != std::string::npos);
    QVERIFY(settings.find("\"Fe\"=\"2.5 1\"") != std::string::npos);
    QVERIFY(settings.find("\"H\"=\"1 0\"") != std::string::npos);
    QCOMPARE(m_installation->ReadText("ELEMENTS"), std::string("1 0 0 H\n26 3 7 Fe\n29 3 10 Cu\n"));

    auto app = Start();
    QCOMPARE(app->MainWindow()->geometry(), placed);
    QTRY_VERIFY(std::abs(app->MainWindow()->Workspace()->findChild<QSplitter*>()->sizes().at(0) -
                         dragged.at(0)) <= 2);
    QCOMPARE(app->Tables().Decimals(), 2);
    QCOMPARE(app->Tables().UnitMode(), kUnitAir);
    QVERIFY(app->Tables().Linear());
    QVERIFY(!app->Tables().IsActive(0) && app->Tables().IsActive(1));
    QVERIFY(!SourcesMenu(*app)->actions().at(0)->isChecked());
    QCOMPARE(app->MainWindow()->MinIntensityText(), minimumShown);
    QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 5000250);
    QCOMPARE(app->Text().ValenceFlags[1] + app->Text().ValenceFlags[2], 2);
    QCOMPARE(app->Text().ValenceFlags[3], 0);
    Quit(*app);
}

void ProgramRunTest::StartsWithoutAnyTable()
{
    QFile::remove(QString::fromStdString(m_installation->File("first.swt")));
    QFile::remove(QString::fromStdString(m_installation->File("second.swt")));
    auto app = Start("0%");
    QVERIFY(SourcesMenu(*app)->actions().isEmpty());
    Quit(*app);
}

// A rebuild that refills to the same number of lines still updates the list on screen.
void ProgramRunTest::ListFollowsARefillOfTheSameSize()
{
    WriteTables(300, 1000);
    auto app = Start();
    auto* list = qobject_cast<TDataWindow*>(
        app->MainWindow()->Workspace()->Pane(WorkspaceOperations::kDataPane));
    QVERIFY(list != nullptr);
    for (const char* line : {"2100", "minimum 0"}) {
        QCOMPARE(Type(*app, line), QString());
        QTRY_VERIFY(!app->Idle().IsRunning());
        const ValidRecordsArray& shown = app->Tables().DisplayList();
        QCOMPARE(list->verticalScrollBar()->minimum(), static_cast<int>(shown.First()));
        QCOMPARE(list->verticalScrollBar()->maximum(), static_cast<int>(shown.Last()));
        QCOMPARE(list->verticalScrollBar()->value(), static_cast<int>(shown.Cursor()));
    }
    Quit(*app);
}

// The command line keeps the focus, yet the menus' keys act on the workspace; the tool buttons
// and the Up and Down indicators follow the state.
void ProgramRunTest::KeysMenusAndToolBarReachTheWorkspace()
{
    auto app = Start();
    // The indicators flip at every press of their key (before any command is in the history).
    QLabel* up = nullptr;
    for (auto* label : app->MainWindow()->statusBar()->findChildren<QLabel*>()) {
        up = label->text() == "Up" ? label : up;
    }
    QVERIFY(up != nullptr && !up->isEnabled());
    QWindow* window = app->MainWindow()->windowHandle();
    QTest::keyClick(window, Qt::Key_Up);
    QTest::keyClick(window, Qt::Key_Down);
    QVERIFY(up->isEnabled());
    QTest::keyClick(window, Qt::Key_Up);
    QVERIFY(!up->isEnabled());
    for (QAction* top : app->MainWindow()->menuBar()->actions()) {
        for (QAction* item : top->menu()->actions()) {
            QVERIFY2(item->isSeparator() || !item->statusTip().isEmpty(), qPrintable(item->text()));
        }
    }
    for (QAction* button : Find<QToolBar>(*app->MainWindow(), "Toolbar")->actions()) {
        QVERIFY2(button->isSeparator() || !button->icon().pixmap(22).isNull(),
                 qPrintable(button->text()));
    }

    QLineEdit* line = app->MainWindow()->CommandLine()->LineEdit();
    QTRY_VERIFY(line->hasFocus());
    QCOMPARE(Type(*app, "only fe"), QString());
    QTest::keyClicks(line, "abc");
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(std::all_of(app->Text().ElementTable.begin(), app->Text().ElementTable.end(),
                        [](const Element& element) { return element.selected != 0; }));
    QVERIFY(line->selectedText().isEmpty());
    const double range = Graph(*app)->Range();
    QTest::keyClick(line, Qt::Key_Left, Qt::ControlModifier);
    QVERIFY(Graph(*app)->Range() < range);
    QCOMPARE(line->cursorPosition(), 3);  // the caret did not jump a word
    QTest::keyClick(line, Qt::Key_F5);
    QVERIFY(!app->MainWindow()->Workspace()->IsPaneShown(WorkspaceOperations::kDataPane));
    line->clear();

    QAction* summation = Button(*app, CM_SUMMATION);
    QAction* ratios = Button(*app, CM_USERATIOS);
    QCOMPARE(Type(*app, "summation"), QString());
    QVERIFY(summation->isChecked());
    ratios->trigger();
    QVERIFY(ratios->isChecked() && app->Tables().UseRatios());
    QCOMPARE(Type(*app, "hide graph"), QString());
    QVERIFY(!summation->isEnabled() && !summation->isChecked() && !ratios->isEnabled());
    QCOMPARE(Type(*app, "goto 1"), QString());  // the first line, listed by both sources
    QVERIFY(!Button(*app, CM_PREVIOUSPAGE)->isEnabled() && Button(*app, CM_NEXTPAGE)->isEnabled());

    Quit(*app);
}

// The workspace prints on one page; a printer that cannot start says so. Graphs save as PNG, SVG or
// PDF by the name's suffix, at the size asked for; a failure says why and leaves the old file.
void ProgramRunTest::PrintsAndSavesPictures()
{
    auto app = Start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(InConfig("page.pdf"));
    QVERIFY(app->MainWindow()->PrintTo(printer));
    const QByteArray pdf = ReadFile(InConfig("page.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
             1);
    printer.setOutputFileName(InConfig("no/such/folder/page.pdf"));
    bool printed = true;
    const SeenBox box =
        AnswerNextMessageBox([&] { printed = app->MainWindow()->PrintTo(printer); });
    QVERIFY(!printed);
    QCOMPARE(box.title, QString("Print Error"));

    const TGraphWindow& graph = *app->MainWindow()->Workspace()->GraphWindow();
    QString error;
    const auto save = [&](const char* name, QSize size = QSize(640, 200)) {
        return TSaveGraphDialog::Write(graph, InConfig(name), size, true, &error);
    };
    QVERIFY(save("graph.png"));
    const QImage image(InConfig("graph.png"));
    QCOMPARE(image.size(), QSize(640, 200));
    QCOMPARE(QColor(image.pixel(630, 190)), QColor(Qt::white));
    QVERIFY(TSaveGraphDialog::Write(graph, InConfig("graph.svg"), QSize(640, 200), false, &error));
    const QByteArray svg = ReadFile(InConfig("graph.svg"));
    QVERIFY(svg.contains("<svg") && svg.contains("<polyline"));  // drawn, not a bitmap
    QVERIFY(save("graph.pdf"));
    QVERIFY(ReadFile(InConfig("graph.pdf")).startsWith("%PDF"));
    QVERIFY(!save("graph.gif", QSize(64, 64)));
    QVERIFY(error.contains(".png"));
    QVERIFY(!save("no/such/folder/graph.png", QSize(64, 64)));
    QVERIFY(error.startsWith("Could not save the graph"));
    // A write failing part-way (a file size limit stops even root) keeps each old picture.
    for (const char* name : {"graph.png", "graph.svg", "graph.pdf"}) {
        const QByteArray old = ReadFile(InConfig(name));
        bool written = true;
        {
            const FileSizeLimit limit(64);
            if (!limit.Active()) {
                QSKIP("the file size limit cannot be lowered");
            }
            written = save(name);
        }
        QVERIFY2(!written, name);
        QVERIFY(error.startsWith("Could not save the graph"));
        QCOMPARE(ReadFile(InConfig(name)), old);
    }
    Quit(*app);
}

// The Help menu, the typed words and the panes lead to their own topics.
void ProgramRunTest::HelpOpensAtTheTopicAsked()
{
    auto app = Start();
    THelpFileManager* help = THelpFileManager::Instance();
    QVERIFY(help != nullptr);
    TSpeklaWindow* workspace = app->MainWindow()->Workspace();
    workspace->Actions().Action(CM_HELPCONTENTS)->trigger();
    QTRY_VERIFY(help->Window() != nullptr && help->Window()->isVisible());
    QCOMPARE(help->Window()->Source().fileName(), QString("index.html"));
    QCOMPARE(Type(*app, "?"), QString());
    QCOMPARE(help->Window()->Source().fileName(), QString("commands.html"));
    QCOMPARE(Type(*app, "help"), QString());
    QCOMPARE(help->Window()->Source().fileName(), QString("index.html"));
    for (auto [pane, page] : {std::pair{WorkspaceOperations::kElementPane, "element-window.html"},
                              {WorkspaceOperations::kDataPane, "data-window.html"},
                              {WorkspaceOperations::kGraphPane, "graph-window.html"}}) {
        help->ShowTopic(workspace->Pane(pane)->property("helpContext").toInt());
        QCOMPARE(help->Window()->Source().fileName(), QString(page));
    }
    help->Window()->close();
    Quit(*app);
}

SPEKLA_QTEST(ProgramRunTest);

#include "ProgramRunTest.moc"
