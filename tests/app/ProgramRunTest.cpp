#include "app/ProgramOptions.h"
#include "app/TSDIDecFrame.h"
#include "app/TSaveGraphDialog.h"
#include "app/TSpeklaApp.h"
#include "command/GraphView.h"
#include "command/TComboEdit.h"
#include "command/TLineEdit.h"
#include "database/TableArray.h"
#include "database/TextTables.h"
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
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include <QAction>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPrinter>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

// Whole runs of the program in a temporary installation with its own settings folder: what
// only the program as a whole can get wrong (start, settings kept for the next start, keys,
// status bar, printing and pictures, help).
class ProgramRunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void SettingsCarryOverToTheNextStart();
    void KeysStatusPrintingAndHelpReachTheirParts();
    void RefusalInARunWithAWindowReachesStandardError();
    void IdentifiedPeaksShowAndLeadToTheirLines();

private:
    std::unique_ptr<TSpeklaApp> Start(const char* scanned = "100%");
    void Quit(TSpeklaApp& app);
    QString InConfig(const char* name) const
    {
        return QString::fromStdString(m_config->File(name));
    }

    std::unique_ptr<TempFolder> m_installation;
    std::unique_ptr<TempFolder> m_config;
};

namespace {

const char* const kDigits = "1234567890";

// Pages are rasterised at five times the screen's resolution, for a measure finer than a pixel.
constexpr int kZoom = 5;

// How tall the graph's first range label is on a printed page: the ink of its first digits,
// just inside the graph's frame at the page's top left, in screen pixels times kZoom.
int PrintedDigitHeight(const QString& pdf)
{
    const QString png = pdf + ".png";
    if (QProcess::execute("pdftoppm", {"-r", QString::number(96 * kZoom), "-png", "-singlefile",
                                       pdf, pdf}) != 0) {
        return -1;
    }
    const QImage page = QImage(png).convertToFormat(QImage::Format_Grayscale8);
    const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    int top = 0;
    int left = 0;
    while (top < page.height() && ![&] {
        for (left = 0; left < page.width(); ++left) {
            if (dark(left, top)) {
                return true;
            }
        }
        return false;
    }()) {
        ++top;
    }
    int first = -1;
    int last = -1;
    for (int y = top + 2 * kZoom; y < std::min(top + 30 * kZoom, page.height()); ++y) {
        for (int x = left + 2 * kZoom; x < std::min(left + 20 * kZoom, page.width()); ++x) {
            if (dark(x, y)) {
                first = first < 0 ? y : first;
                last = y;
            }
        }
    }
    return last - first + 1;
}

// The same digits on screen, in the graph's label font, times kZoom.
int ScreenDigitHeight()
{
    QFont font("Arial");
    font.setPixelSize(11 * kZoom);
    return QFontMetrics(font).tightBoundingRect(kDigits).height();
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

// The status bar label whose text is `text`, or whose tool tip is `text`.
QLabel* Gadget(TSpeklaApp& app, const QString& text)
{
    for (auto* label : app.MainWindow()->statusBar()->findChildren<QLabel*>()) {
        if (label->text() == text || label->toolTip() == text) {
            return label;
        }
    }
    qFatal("no status bar label %s", qPrintable(text));
}

}  // namespace

void ProgramRunTest::init()
{
    m_installation = std::make_unique<TempFolder>();
    m_config = std::make_unique<TempFolder>();
    qputenv("SPEKLA_CONFIG_DIR", QByteArray::fromStdString(m_config->Path()));
    std::vector<LineRecord> lines;
    for (int i = 0; i < 20000; ++i) {
        lines.push_back(Line(2000000 + 250 * i, static_cast<uint8_t>(i % 3)));
    }
    m_installation->WriteTable("first.swt", lines);
    m_installation->WriteTable("second.swt", lines);
    m_installation->WriteText("ELEMENTS", "1 0 0 H\n26 3 7 Fe\n29 3 10 Cu\n");
    m_installation->WriteText("DESCRIPT", "blended\n");
}

// Starts the program and waits until it has read every table and gone idle.
std::unique_ptr<TSpeklaApp> ProgramRunTest::Start(const char* scanned)
{
    auto app = std::make_unique<TSpeklaApp>();
    app->InitInstance(m_installation->Path());
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

// Damaged values leave defaults; a stored summation mode applies to every graph pane made; what
// the user changed is back at the next start.
void ProgramRunTest::SettingsCarryOverToTheNextStart()
{
    m_config->WriteText("HKEY_CURRENT_USER.reg",
                        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Spekla]\n"
                        "\"Placement\"=hex:01,02,03\n\"Decimals\"=\"many\"\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Spekla\\Graph Window]\n"
                        "\"Use Summation\"=dword:00000002\n");
    QRect placed;
    QString minimumShown;
    {
        auto app = Start();
        QCOMPARE(app->Tables().Decimals(), 3);
        for (const char* line : {"summation off", "hide graph", "show graph"}) {
            QCOMPARE(Type(*app, line), QString());
        }
        QCOMPARE(Graph(*app)->Summation(), SummationMode::DisplayOnly);

        SourcesMenu(*app)->actions().value(1)->trigger();
        QVERIFY(!app->Tables().IsActive(1));
        m_installation->WriteText("scan.txt", "wavelength,counts\n5000.25, 7\n");
        const QString scan = QString::fromStdString(m_installation->File("scan.txt"));
        QCOMPARE(Type(*app, "overlay " + scan), QString());
        for (const char* line :
             {"decimals 2", "VACUUM", "ion I, II", "linear", "minimum 5", "only fe cu",
              "source Second", "down 4000000000", "air", "50000"}) {
            QCOMPARE(Type(*app, line), QString());
        }
        QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 5000250);  // Fe, not H
        minimumShown = app->MainWindow()->MinIntensityText();
        QCOMPARE(minimumShown, QString("5.0"));
        // 5 on the linear scale is the threshold 4.5 (what rounds to 5), as code units.
        QVERIFY(std::abs(app->Tables().MinIntensity() - 6.532125) < 1e-5);

        app->MainWindow()->setGeometry(60, 80, 640, 420);
        placed = app->MainWindow()->geometry();
        Quit(*app);
    }
    auto app = Start();
    QCOMPARE(app->MainWindow()->geometry(), placed);
    QCOMPARE(app->Tables().Decimals(), 2);
    QCOMPARE(app->Tables().UnitMode(), kUnitAir);
    QVERIFY(!app->Tables().IsActive(0) && app->Tables().IsActive(1));
    QVERIFY(!SourcesMenu(*app)->actions().at(0)->isChecked());
    QCOMPARE(app->MainWindow()->MinIntensityText(), minimumShown);
    QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 5000250);
    QCOMPARE(app->Text().ValenceFlags[1] + app->Text().ValenceFlags[2], 2);
    // The overlay is shown again, and the menu offers to hide it.
    QVERIFY(Graph(*app)->DisplayOverlay());
    QVERIFY(app->MainWindow()->Workspace()->Actions().Action(CM_DISPLAYOVERLAY)->isEnabled());
    Quit(*app);
}

// The command line keeps the focus, yet the menus' keys act on the workspace; the Up indicator,
// the scale and the graph's gadgets follow the state, an unknown word is reported. The workspace
// prints; a printer that cannot start says so. A graph saves as a picture; a failure says why. Help
// opens at its topics.
void ProgramRunTest::KeysStatusPrintingAndHelpReachTheirParts()
{
    auto app = Start();
    QLabel* up = Gadget(*app, "Up");
    QVERIFY(!up->isEnabled());
    QTest::keyClick(app->MainWindow()->windowHandle(), Qt::Key_Up);
    QVERIFY(up->isEnabled());

    QLineEdit* line = app->MainWindow()->CommandLine()->LineEdit();
    QTRY_VERIFY(line->hasFocus());
    QCOMPARE(Type(*app, "only fe"), QString());
    Type(*app, "frob 2");
    QCOMPARE(app->MainWindow()->statusBar()->currentMessage(), QString("No match: FROB"));
    line->clear();
    QLabel* scale = Gadget(*app, "LOG");
    QTest::keyClick(line, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(scale->text(), QString("LIN"));
    QTest::keyClicks(line, "abc");
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(std::all_of(app->Text().ElementTable.begin(), app->Text().ElementTable.end(),
                        [](const Element& element) { return element.selected != 0; }));
    QLabel* range = Gadget(*app, "Graph range");
    QLabel* height = Gadget(*app, "Height of graph");
    const QString rangeShown = range->text(), heightShown = height->text();
    QTest::keyClick(line, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(line->cursorPosition(), 3);  // the caret did not jump a word
    QTest::keyClick(line, Qt::Key_Up, Qt::ControlModifier);
    QTRY_VERIFY(range->text() != rangeShown && height->text() != heightShown);
    QTest::keyClick(line, Qt::Key_F5);
    line->clear();
    QVERIFY(!app->MainWindow()->Workspace()->IsPaneShown(WorkspaceOperations::kDataPane));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(InConfig("page.pdf"));
    QVERIFY(app->MainWindow()->PrintTo(printer));
    QVERIFY(m_config->ReadText("page.pdf").starts_with("%PDF"));
    // Text on paper has its size on screen, in points, wherever the page scales the graph to.
    QVERIFY(std::abs(PrintedDigitHeight(InConfig("page.pdf")) - ScreenDigitHeight()) <= kZoom);
    printer.setOutputFileName(InConfig("no/such/folder/page.pdf"));
    bool printed = true;
    const SeenBox box =
        AnswerNextMessageBox([&] { printed = app->MainWindow()->PrintTo(printer); });
    QVERIFY(!printed);
    QCOMPARE(box.title, QString("Print Error"));

    const TGraphWindow& graph = *app->MainWindow()->Workspace()->GraphWindow();
    QString error;
    QVERIFY(TSaveGraphDialog::Write(graph, InConfig("graph.png"), QSize(640, 200), true, &error));
    QCOMPARE(QImage(InConfig("graph.png")).size(), QSize(640, 200));
    QVERIFY(!TSaveGraphDialog::Write(graph, InConfig("no/graph.png"), QSize(9, 9), true, &error));
    QVERIFY(error.startsWith("Could not save the graph"));
    const TSaveGraphDialog saveDialog(nullptr, graph);
    for (const QLabel* label : saveDialog.findChildren<QLabel*>()) {
        QVERIFY2(!label->text().contains('&') || label->buddy() != nullptr,
                 qPrintable(label->text()));
    }

    THelpFileManager* help = THelpFileManager::Instance();
    TSpeklaWindow* workspace = app->MainWindow()->Workspace();
    workspace->Actions().Action(CM_HELPCONTENTS)->trigger();
    QTRY_VERIFY(help->Window() != nullptr && help->Window()->isVisible());
    QCOMPARE(help->Window()->Source().fileName(), QString("index.html"));
    QCOMPARE(Type(*app, "?"), QString());
    QCOMPARE(help->Window()->Source().fileName(), QString("commands.html"));
    help->Window()->close();
    Quit(*app);
}

// A command file run with a window shows a refusal and also writes it to standard error, so
// that whoever started the run reads why it stopped.
void ProgramRunTest::RefusalInARunWithAWindowReachesStandardError()
{
    const TempFolder desktop;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(desktop.Path()));
    m_installation->WriteText("commands.txt", "DECIMALS 9\n");
    TSpeklaApp app;
    app.InitInstance(m_installation->Path(),
                     ProgramOptions::Parse({"--run", m_installation->File("commands.txt")}));
    std::fflush(stderr);
    const int savedError = ::dup(2);
    const int captured = ::open(m_config->File("stderr").c_str(), O_WRONLY | O_CREAT, 0600);
    ::dup2(captured, 2);
    ::close(captured);
    int status = 0;
    AnswerNextMessageBox([&] { status = app.RunCommandFile(); });
    std::fflush(stderr);
    ::dup2(savedError, 2);
    ::close(savedError);
    QCOMPARE(status, 1);
    const std::string errors = m_config->ReadText("stderr");
    QVERIFY2(errors.find("must be from 0-4") != std::string::npos, errors.c_str());
}

// IDENTIFY opens the Peaks pane with the overlay's peak and its line; a click on the peak goes
// there.
void ProgramRunTest::IdentifiedPeaksShowAndLeadToTheirLines()
{
    std::string scan;
    for (int i = 0; i < 3000; ++i) {
        const double wavelength = 2001.0 + 0.001 * i;
        scan += std::to_string(wavelength) + ' ' +
                std::to_string(500 * std::exp(-std::pow((wavelength - 2002.25) / 0.03, 2)) +
                               std::sin(i * 12.9898)) +
                '\n';
    }
    m_installation->WriteText("scan.txt", scan);
    auto app = Start();
    QCOMPARE(Type(*app, "overlay " + QString::fromStdString(m_installation->File("scan.txt"))),
             QString());
    QCOMPARE(Type(*app, "identify"), QString());
    auto* peaks = app->MainWindow()->findChild<QTreeWidget*>("peaks");
    QVERIFY(peaks != nullptr && peaks->isVisible());
    QCOMPARE(peaks->topLevelItemCount(), 1);
    QVERIFY(peaks->topLevelItem(0)->text(2).startsWith("H I 2002.250"));
    emit peaks->itemClicked(peaks->topLevelItem(0), 0);
    QCOMPARE(app->Tables().DisplayList().CurrentWavelength(), 2002250);
    Quit(*app);
}

SPEKLA_QTEST(ProgramRunTest);

#include "ProgramRunTest.moc"
