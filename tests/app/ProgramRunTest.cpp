#include "app/TSDIDecFrame.h"
#include "app/TSaveGraphDialog.h"
#include "app/TSpeklaApp.h"
#include "app/TSpeklaPrintout.h"
#include "command/GraphView.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
#include "datawin/TDataWindow.h"
#include "framework/THelpFileManager.h"
#include "framework/THelpWindow.h"
#include "graph/TGraphWindow.h"
#include "support/QtTestSupport.h"
#include "support/TestFiles.h"
#include "workspace/ActionTable.h"
#include "workspace/MenuCommands.h"
#include "workspace/TSpeklaWindow.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <memory>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QObject>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

class TSpeklaApp;
class TempFolder;

// Whole runs of the program in a temporary installation with its own settings folder.
class ProgramRunTest : public QObject {
    Q_OBJECT

public:
    ProgramRunTest();
    ~ProgramRunTest() override;

private slots:
    void init();
    void StartsFillsAndQuitsOnATypedWord();
    void NextStartRestoresPlacementAndSources();
    void DamagedSettingsLeaveDefaults();
    void StartsWithoutAnyTable();
    void TypedCommandsChangeTheStateAndSurviveARestart();
    void ListFollowsARefillOfTheSameSize();
    void MenusAndToolBarFollowTheDesignOrder();
    void MenuKeysWorkWhileTheCommandLineHasTheFocus();
    void ToolButtonsFollowTheState();
    void ArrowKeyIndicatorsToggle();
    void StoredSummationAppliesToEveryGraphMade();
    void DraggedPaneSizesSurviveARestart();
    void PrintedPageHoldsGraphSelectionAndList();
    void GraphSavesAsPicturesOrSaysWhyNot();
    void HelpOpensAtTheTopicAsked();

private:
    // Starts the program and waits until it has read every table.
    std::unique_ptr<TSpeklaApp> Start();
    void Quit(TSpeklaApp& app);
    QString SettingsText() const;

    std::unique_ptr<TempFolder> m_installation;
    std::unique_ptr<QTemporaryDir> m_config;
};

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMenu* TopMenu(TSpeklaApp& app, const QString& text)
{
    for (QAction* action : app.MainWindow()->menuBar()->actions()) {
        if (action->text() == text) {
            return action->menu();
        }
    }
    return nullptr;
}

QMenu* SourcesMenu(TSpeklaApp& app)
{
    return TopMenu(app, "&Sources");
}

// The command numbers of a menu's or bar's items, 0 for a separator.
QList<int> CommandIds(const QList<QAction*>& actions)
{
    QList<int> ids;
    for (const QAction* action : actions) {
        ids << (action->isSeparator() ? 0 : action->data().toInt());
    }
    return ids;
}

GraphView* Graph(TSpeklaApp& app)
{
    return app.MainWindow()->Workspace()->Graph();
}

// Types a line into the command line and presses Enter. A warning that comes up is read and
// closed; its text is returned.
QString Type(TSpeklaApp& app, const QString& line)
{
    QString warning;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            warning = box->text();
            box->accept();
        }
    });
    closer.start(10);
    QTest::keyClicks(app.MainWindow()->CommandLine()->LineEdit(), line);
    QTest::keyClick(app.MainWindow()->CommandLine()->LineEdit(), Qt::Key_Return);
    return warning;
}

}  // namespace

ProgramRunTest::ProgramRunTest() = default;
ProgramRunTest::~ProgramRunTest() = default;

void ProgramRunTest::init()
{
    m_installation = std::make_unique<TempFolder>();
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("SPEKLA_CONFIG_DIR", m_config->path().toUtf8());
    std::vector<LineRecord> lines;
    for (int i = 0; i < 20000; ++i) {
        lines.push_back(Line(2000000 + 250 * i, static_cast<uint8_t>(i % 3)));
    }
    m_installation->WriteTable("first.swt", lines);
    m_installation->WriteTable("second.swt", lines);
    m_installation->WriteText("ELEMENTS", "1   0 0  H\r\n26 3 7 Fe\n29 3 10   Cu  \n\n");
    m_installation->WriteText("DESCRIPT", "blended\n");
}

std::unique_ptr<TSpeklaApp> ProgramRunTest::Start()
{
    auto app = std::make_unique<TSpeklaApp>();
    app->InitInstance(QString::fromStdString(m_installation->Path()));
    TSDIDecFrame* frame = app->MainWindow();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(frame)); }();
    [&] { QTRY_COMPARE_WITH_TIMEOUT(frame->ScanText(), QString("100%"), 10000); }();
    return app;
}

void ProgramRunTest::Quit(TSpeklaApp& app)
{
    TSDIDecFrame* frame = app.MainWindow();
    QTest::keyClicks(frame->CommandLine()->LineEdit(), "quit");
    QTest::keyClick(frame->CommandLine()->LineEdit(), Qt::Key_Return);
    QTRY_VERIFY(!frame->isVisible());
    QVERIFY(app.TermInstance());
}

QString ProgramRunTest::SettingsText() const
{
    return QString::fromUtf8(ReadFile(m_config->filePath("HKEY_CURRENT_USER.reg")));
}

void ProgramRunTest::StartsFillsAndQuitsOnATypedWord()
{
    auto app = Start();
    QCOMPARE(app->MainWindow()->windowTitle(), QString("Spekla"));
    QCOMPARE(app->Tables().DisplayList().Count(), 40000u);
    QCOMPARE(app->MainWindow()->MinIntensityText(), QString("0.0"));
    // Once everything is read the program does nothing until the user acts.
    QTRY_VERIFY(!app->Idle().IsRunning());
    Quit(*app);
    const QString settings = SettingsText();
    QVERIFY(settings.startsWith("REGEDIT4"));
    QVERIFY(settings.contains("\"Placement\"=hex:2c,00,00,00"));
    QVERIFY(settings.contains("[HKEY_CURRENT_USER\\Software\\Spekla\\Sources]"));
    QVERIFY(settings.contains("\"File 1\"=\"second.swt\""));
    // A first start goes to the beginning of the tables: the first line, at 2000.000 A.
    QVERIFY(settings.contains("\"Wavelength\"=dword:001e8480"));
    QCOMPARE(ReadFile(QString::fromStdString(m_installation->File("ELEMENTS"))),
             QByteArray("1 0 0 H\n26 3 7 Fe\n29 3 10 Cu\n"));
}

void ProgramRunTest::NextStartRestoresPlacementAndSources()
{
    QRect placed;
    {
        auto app = Start();
        app->MainWindow()->setGeometry(60, 80, 640, 420);
        placed = app->MainWindow()->geometry();
        QMenu* sources = SourcesMenu(*app);
        QVERIFY(sources != nullptr);
        QCOMPARE(sources->actions().size(), 2);
        QCOMPARE(sources->actions().at(1)->text(), QString("&2  second"));
        QCOMPARE(sources->actions().at(1)->shortcut(), QKeySequence("Ctrl+2"));
        sources->actions().at(1)->trigger();  // switch the second source off
        QVERIFY(!app->Tables().IsActive(1));
        QTRY_VERIFY(!app->Idle().IsRunning());
        QCOMPARE(app->MainWindow()->ScanText(), QString("100%"));
        QCOMPARE(app->Tables().DisplayList().Count(), 20000u);
        Quit(*app);
    }
    auto app = Start();
    QCOMPARE(app->MainWindow()->geometry(), placed);
    QCOMPARE(app->MainWindow()->MinIntensityText(), QString("0.0"));  // stored at the last exit
    QVERIFY(app->Tables().IsActive(0));
    QVERIFY(!app->Tables().IsActive(1));
    QVERIFY(!SourcesMenu(*app)->actions().at(1)->isChecked());
    QCOMPARE(app->Tables().DisplayList().Count(), 20000u);
    Quit(*app);
}

void ProgramRunTest::DamagedSettingsLeaveDefaults()
{
    QFile settings(m_config->filePath("HKEY_CURRENT_USER.reg"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n"
        "\"Placement\"=hex:01,02,03\n\"Decimals\"=\"many\"\n\"Wavelength\"=dword:zz\n"
        "this line means nothing\n");
    settings.close();
    auto app = Start();
    QCOMPARE(app->Tables().Decimals(), 3);
    QCOMPARE(app->MainWindow()->size(), QSize(1000, 700));
    Quit(*app);
    QVERIFY(SettingsText().contains("this line means nothing"));
}

void ProgramRunTest::StartsWithoutAnyTable()
{
    QFile::remove(QString::fromStdString(m_installation->File("first.swt")));
    QFile::remove(QString::fromStdString(m_installation->File("second.swt")));
    auto app = std::make_unique<TSpeklaApp>();
    app->InitInstance(QString::fromStdString(m_installation->Path()));
    QVERIFY(QTest::qWaitForWindowExposed(app->MainWindow()));
    QTRY_VERIFY(!app->Idle().IsRunning());
    QCOMPARE(app->MainWindow()->ScanText(), QString("0%"));
    QVERIFY(SourcesMenu(*app)->actions().isEmpty());
    Quit(*app);
}

// What a user types survives a restart; bad arguments warn and change nothing.
void ProgramRunTest::TypedCommandsChangeTheStateAndSurviveARestart()
{
    QString minimumShown;
    {
        auto app = Start();
        for (const char* line : {"decimals 2", "VACUUM", "ion I, II", "linear", "minimum 5",
                                 "only fe cu", "ratios FE 2.5", "source Second", "50000"}) {
            QCOMPARE(Type(*app, line), QString());
        }
        QCOMPARE(Type(*app, "DECIMALS 9"),
                 QString("Number of decimals places must be from 0-4 inclusive."));
        QCOMPARE(Type(*app, "down 4000000000"), QString());
        QCOMPARE(Type(*app, "wavenumber"), QString());
        QCOMPARE(Type(*app, "goto x"), QString("A wave number must be a number greater than 0."));
        QCOMPARE(Type(*app, "air"), QString());
        QCOMPARE(Type(*app, "50000"), QString());  // 5000 A with two decimals shown
        QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 5000250);  // Fe, not H
        // 5 on the linear scale is the threshold 4.5 (what rounds to 5), as code units.
        QVERIFY(std::abs(app->Tables().MinIntensity() - 6.532125) < 1e-5);
        minimumShown = app->MainWindow()->MinIntensityText();
        Quit(*app);
    }
    const QString settings = SettingsText();
    QVERIFY(settings.contains("\"Decimals\"=dword:00000002"));
    QVERIFY(settings.contains("\"Fe\"=\"2.5 1\""));
    QVERIFY(settings.contains("\"H\"=\"1 0\""));
    auto app = Start();
    QCOMPARE(app->Tables().Decimals(), 2);
    QCOMPARE(app->Tables().UnitMode(), kUnitAir);
    QVERIFY(app->Tables().Linear());
    QVERIFY(!app->Tables().IsActive(0));
    QVERIFY(app->Tables().IsActive(1));
    QCOMPARE(app->MainWindow()->MinIntensityText(), minimumShown);
    QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 5000250);
    QCOMPARE(app->Text().ValenceFlags[1] + app->Text().ValenceFlags[2], 2);
    QCOMPARE(app->Text().ValenceFlags[3], 0);
    Quit(*app);
}

// A rebuild that refills to the same number of lines still updates the list on screen.
void ProgramRunTest::ListFollowsARefillOfTheSameSize()
{
    std::vector<LineRecord> lines;
    for (int i = 0; i < 300; ++i) {
        lines.push_back(Line(2000000 + 1000 * i, static_cast<uint8_t>(i % 3)));
    }
    m_installation->WriteTable("first.swt", lines);
    m_installation->WriteTable("second.swt", lines);
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

void ProgramRunTest::MenusAndToolBarFollowTheDesignOrder()
{
    auto app = Start();
    QStringList titles;
    for (QAction* action : app->MainWindow()->menuBar()->actions()) {
        titles << action->text();
    }
    QCOMPARE(titles, QStringList({"&File", "&Data", "&Elements", "&Graph", "&Sources", "&Window",
                                  "&Help"}));
    QCOMPARE(CommandIds(TopMenu(*app, "&File")->actions()),
             QList<int>({CM_LOADOVERLAY, CM_LOADELEMENTS, CM_SAVEELEMENTS, CM_EXPORT, 0,
                         CM_SAVEGRAPH, CM_PRINT, CM_PRINTSETUP, 0, CM_EXIT}));
    QCOMPARE(CommandIds(TopMenu(*app, "&Help")->actions()),
             QList<int>({CM_HELPCONTENTS, CM_HELPCOMMANDS, 0, CM_ABOUT}));
    const QList<int> graph = CommandIds(TopMenu(*app, "&Graph")->actions());
    QCOMPARE(graph.mid(graph.size() - 3), QList<int>({CM_TREATORDERSASRATIOS, 0, CM_GRAPHOPTIONS}));
    // Every item says what it does in the status bar while highlighted.
    for (QAction* top : app->MainWindow()->menuBar()->actions()) {
        for (QAction* item : top->menu()->actions()) {
            QVERIFY2(item->isSeparator() || !item->statusTip().isEmpty(), qPrintable(item->text()));
        }
    }
    auto* bar = app->MainWindow()->findChild<QToolBar*>("Toolbar");
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->windowTitle(), QString("Toolbar"));
    QCOMPARE(app->MainWindow()->toolBarArea(bar), Qt::TopToolBarArea);
    QCOMPARE(CommandIds(bar->actions()),
             QList<int>({CM_LOADELEMENTS, CM_SAVEELEMENTS, 0, CM_PREVIOUSPAGE, CM_PREVIOUS, CM_NEXT,
                         CM_NEXTPAGE, 0, CM_SUMMATION, CM_USERATIOS, 0, CM_GOTOWAVELENGTH, 0,
                         CM_PRINT, 0, CM_HELPCONTENTS}));
    for (QAction* button : bar->actions()) {
        QVERIFY2(button->isSeparator() || !button->icon().pixmap(22).isNull(),
                 qPrintable(button->text()));
    }
    Quit(*app);
}

// The command line keeps the focus; the menus' keys still act on the workspace.
void ProgramRunTest::MenuKeysWorkWhileTheCommandLineHasTheFocus()
{
    auto app = Start();
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
    Quit(*app);
}

void ProgramRunTest::ToolButtonsFollowTheState()
{
    auto app = Start();
    auto* bar = app->MainWindow()->findChild<QToolBar*>("Toolbar");
    QAction* summation = bar->actions().at(8);
    QAction* ratios = bar->actions().at(9);
    QVERIFY(!summation->isChecked());
    QCOMPARE(Type(*app, "summation"), QString());
    QVERIFY(summation->isChecked());
    ratios->trigger();
    QVERIFY(ratios->isChecked());
    QVERIFY(app->Tables().UseRatios());
    QCOMPARE(Type(*app, "hide graph"), QString());
    QVERIFY(!summation->isEnabled() && !summation->isChecked());
    QVERIFY(!ratios->isEnabled());
    QCOMPARE(Type(*app, "goto 1"), QString());
    // At the first line, listed by both sources.
    QVERIFY(!bar->actions().at(3)->isEnabled());
    QVERIFY(bar->actions().at(6)->isEnabled());
    Quit(*app);
}

// The Up and Down indicators flip at every press of their key, wherever it is pressed.
void ProgramRunTest::ArrowKeyIndicatorsToggle()
{
    auto app = Start();
    QLabel* up = nullptr;
    for (auto* label : app->MainWindow()->statusBar()->findChildren<QLabel*>()) {
        up = label->text() == "Up" ? label : up;
    }
    QVERIFY(up != nullptr && !up->isEnabled());
    QWindow* window = app->MainWindow()->windowHandle();
    QTest::keyClick(window, Qt::Key_Up);
    QVERIFY(up->isEnabled());
    QTest::keyClick(window, Qt::Key_Down);
    QVERIFY(up->isEnabled());
    QTest::keyClick(window, Qt::Key_Up);
    QVERIFY(!up->isEnabled());
    Quit(*app);
}

// "Use Summation", put in the settings by hand, sets the mode of each graph pane made.
void ProgramRunTest::StoredSummationAppliesToEveryGraphMade()
{
    QFile settings(m_config->filePath("HKEY_CURRENT_USER.reg"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla\\Graph Window]\n"
        "\"Use Summation\"=dword:00000002\n");
    settings.close();
    auto app = Start();
    QCOMPARE(Graph(*app)->Summation(), SummationMode::DisplayOnly);
    QCOMPARE(Type(*app, "summation off"), QString());
    QCOMPARE(Type(*app, "hide graph"), QString());
    QCOMPARE(Type(*app, "show graph"), QString());
    QCOMPARE(Graph(*app)->Summation(), SummationMode::DisplayOnly);
    Quit(*app);
}

void ProgramRunTest::DraggedPaneSizesSurviveARestart()
{
    QList<int> dragged;
    {
        auto app = Start();
        auto* outer = app->MainWindow()->Workspace()->findChild<QSplitter*>();
        QCOMPARE(outer->orientation(), Qt::Vertical);  // element and data above the graph
        const int total = outer->sizes().at(0) + outer->sizes().at(1);
        outer->setSizes({total / 4, total - total / 4});
        emit outer->splitterMoved(total / 4, 1);
        dragged = outer->sizes();
        Quit(*app);
    }
    auto app = Start();
    auto* outer = app->MainWindow()->Workspace()->findChild<QSplitter*>();
    QTRY_VERIFY(std::abs(outer->sizes().at(0) - dragged.at(0)) <= 2);
    Quit(*app);
}

namespace {

// The rows of `image` between `from` and `to` that hold anything but white.
int InkedRows(const QImage& image, int from, int to)
{
    int rows = 0;
    for (int y = from; y < to; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

}  // namespace

// One page: the framed graph in the upper half, the selection under it, then the list; and the
// same page printed to a PDF file.
void ProgramRunTest::PrintedPageHoldsGraphSelectionAndList()
{
    auto app = Start();
    QCOMPARE(Type(*app, "2010"), QString());
    QImage page(827, 1169, QImage::Format_RGB32);  // A4 at 100 dots per inch
    page.setDotsPerMeterX(3937);
    page.setDotsPerMeterY(3937);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        TSpeklaPrintout(*app->MainWindow()->Workspace(), app->Text(), app->Tables())
            .PrintPage(painter, page.rect());
    }
    page.save("/tmp/printed-page.png");
    const QSize graph = app->MainWindow()->Workspace()->GraphWindow()->size();
    const int graphBottom = 8 + std::min(827 * graph.height() / graph.width(), 1169 / 2);
    QCOMPARE(QColor(page.pixel(0, graphBottom - 1)), QColor(Qt::black));  // the frame
    QVERIFY(InkedRows(page, graphBottom + 5, graphBottom + 60) > 10);     // the selection
    QVERIFY(InkedRows(page, graphBottom + 80, 1169) > 200);               // the list's rows
    QCOMPARE(InkedRows(page, 1160, 1169), 0);                             // nothing past the end

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_config->filePath("page.pdf"));
    QVERIFY(app->MainWindow()->PrintTo(printer));
    const QByteArray pdf = ReadFile(m_config->filePath("page.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
             1);

    // A printer that cannot start says so.
    printer.setOutputFileName(m_config->filePath("no/such/folder/page.pdf"));
    QString caption;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            box->accept();
        }
    });
    closer.start(10);
    QVERIFY(!app->MainWindow()->PrintTo(printer));
    QCOMPARE(caption, QString("Print Error"));
    Quit(*app);
}

// PNG, SVG and PDF by the name's suffix, at the size asked for; a failure leaves the old file.
void ProgramRunTest::GraphSavesAsPicturesOrSaysWhyNot()
{
    auto app = Start();
    const TGraphWindow& graph = *app->MainWindow()->Workspace()->GraphWindow();
    QString error;
    const QString png = m_config->filePath("graph.png");
    QVERIFY(TSaveGraphDialog::Write(graph, png, QSize(640, 200), true, &error));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(640, 200));
    QCOMPARE(QColor(image.pixel(630, 190)), QColor(Qt::white));
    QVERIFY(TSaveGraphDialog::Write(graph, m_config->filePath("graph.svg"), QSize(640, 200), false,
                                    &error));
    const QByteArray svg = ReadFile(m_config->filePath("graph.svg"));
    QVERIFY(svg.contains("<svg") && svg.contains("<polyline"));  // drawn, not a bitmap
    QVERIFY(TSaveGraphDialog::Write(graph, m_config->filePath("graph.pdf"), QSize(640, 200), true,
                                    &error));
    QVERIFY(ReadFile(m_config->filePath("graph.pdf")).startsWith("%PDF"));

    QVERIFY(!TSaveGraphDialog::Write(graph, m_config->filePath("graph.gif"), QSize(64, 64), true,
                                     &error));
    QVERIFY(error.contains(".png"));
    QVERIFY(!TSaveGraphDialog::Write(graph, m_config->filePath("no/such/folder/graph.png"),
                                     QSize(64, 64), true, &error));
    QVERIFY(error.startsWith("Could not save the graph"));
    QCOMPARE(QImage(png).size(), QSize(640, 200));

    // A write failing part-way (a file size limit stops even root) keeps each old picture.
    for (const char* name : {"graph.png", "graph.svg", "graph.pdf"}) {
        const QString path = m_config->filePath(name);
        const QByteArray old = ReadFile(path);
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit tiny{64, saved.rlim_max};
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        const bool written = TSaveGraphDialog::Write(graph, path, QSize(640, 200), true, &error);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY2(!written, name);
        QVERIFY(error.startsWith("Could not save the graph"));
        QCOMPARE(ReadFile(path), old);
    }
    Quit(*app);
}

// The Help menu, the typed words and the panes lead to their own topics.
void ProgramRunTest::HelpOpensAtTheTopicAsked()
{
    auto app = Start();
    THelpFileManager* help = THelpFileManager::Instance();
    QVERIFY(help != nullptr);
    app->MainWindow()->Workspace()->Actions().Action(CM_HELPCONTENTS)->trigger();
    QTRY_VERIFY(help->Window() != nullptr && help->Window()->isVisible());
    QCOMPARE(help->Window()->Source().fileName(), QString("index.html"));
    QCOMPARE(Type(*app, "?"), QString());
    QCOMPARE(help->Window()->Source().fileName(), QString("commands.html"));
    QCOMPARE(Type(*app, "help"), QString());
    QCOMPARE(help->Window()->Source().fileName(), QString("index.html"));
    TSpeklaWindow* workspace = app->MainWindow()->Workspace();
    for (auto [pane, page] : {std::pair{WorkspaceOperations::kElementPane, "element-window.html"},
                              {WorkspaceOperations::kDataPane, "data-window.html"},
                              {WorkspaceOperations::kGraphPane, "graph-window.html"}}) {
        const int topic = workspace->Pane(pane)->property("helpContext").toInt();
        help->ShowTopic(topic);
        QCOMPARE(help->Window()->Source().fileName(), QString(page));
    }
    help->Window()->close();
    Quit(*app);
}

SPEKLA_QTEST(ProgramRunTest);

#include "ProgramRunTest.moc"
