#include "framework/THelpWindow.h"
#include "support/QtTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

// THelpWindow as a reader uses it: a topic opens at its anchor, the contents list and the
// history move between pages, links between pages work, and the find bar finds a word without
// regard to case, goes round the page and says when a word is not there.
class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensAtTheAnchor();
    void backAndForwardRetraceThePages();
    void contentsListFollowsAndLeads();
    void linkOpensItsPage();
    void findBar_data();
    void findBar();
    void findGoesRoundThePage();
    void enterAndShiftEnterStepThroughThePlaces();
};

namespace {

QUrl Page(const char* page, const char* anchor = "")
{
    return THelpWindow::PageUrl(page, anchor);
}

QTextBrowser* Browser(THelpWindow& window)
{
    return window.findChild<QTextBrowser*>("browser");
}

QLineEdit* FindText(THelpWindow& window)
{
    return window.findChild<QLineEdit*>("findText");
}

QString FindStatus(THelpWindow& window)
{
    return window.findChild<QLabel*>("findStatus")->text();
}

// The window shown and active, so that its keys work.
bool ShowActive(THelpWindow& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

void HelpWindowTest::initTestCase()
{
    THelpWindow window;
    QCOMPARE(window.windowTitle(), "Spekla Help");
    QCOMPARE(window.Source(), Page("index.html"));
}

void HelpWindowTest::opensAtTheAnchor()
{
    THelpWindow window;
    QVERIFY(ShowActive(window));
    window.ShowPage("commands.html", "cmd-SCAN");
    QCOMPARE(window.Source(), Page("commands.html", "cmd-SCAN"));
    QVERIFY(Browser(window)->verticalScrollBar()->value() > 0);
    window.ShowPage("commands.html");
    QCOMPARE(Browser(window)->verticalScrollBar()->value(), 0);
}

void HelpWindowTest::backAndForwardRetraceThePages()
{
    THelpWindow window;
    QVERIFY(ShowActive(window));
    window.ShowPage("commands.html", "cmd-GOTO");
    window.ShowPage("keys.html");
    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(window.Source(), Page("commands.html", "cmd-GOTO"));
    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(window.Source(), Page("index.html"));
    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);  // nothing further back
    QCOMPARE(window.Source(), Page("index.html"));
    QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(window.Source(), Page("commands.html", "cmd-GOTO"));
    QTest::keyClick(&window, Qt::Key_Home, Qt::AltModifier);
    QCOMPARE(window.Source(), Page("index.html"));
}

void HelpWindowTest::contentsListFollowsAndLeads()
{
    THelpWindow window;
    auto* contents = window.findChild<QListWidget*>("contents");
    QCOMPARE(contents->currentItem()->text(), "Contents");
    window.ShowPage("menu-graph.html", "summation");
    QCOMPARE(contents->currentItem()->text(), "Graph menu");
    contents->setCurrentRow(contents->count() - 1);
    QCOMPARE(window.Source(), Page("keys.html"));
}

// A relative link leads to the page beside it in the resources.
void HelpWindowTest::linkOpensItsPage()
{
    THelpWindow window;
    QVERIFY(ShowActive(window));
    window.ShowPage("menu-help.html");
    QTextBrowser* browser = Browser(window);
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);  // the first link: the contents
    QTest::keyClick(browser, Qt::Key_Return);
    QCOMPARE(window.Source(), Page("index.html"));
}

void HelpWindowTest::findBar_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("status");
    QTest::newRow("word") << "Abbreviations"
                          << "Abbreviations"
                          << "";
    QTest::newRow("case ignored") << "wavenumber"
                                  << "WAVENUMBER"
                                  << "";
    QTest::newRow("missing") << "xylophone"
                             << ""
                             << "Not found";
}

void HelpWindowTest::findBar()
{
    QFETCH(QString, typed);
    QFETCH(QString, selected);
    QFETCH(QString, status);
    THelpWindow window;
    QVERIFY(ShowActive(window));
    window.ShowPage("commands.html");
    QLineEdit* text = FindText(window);
    QVERIFY(!text->isVisible());
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(text->isVisible());
    QVERIFY(text->hasFocus());
    QTest::keyClicks(text, typed);
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(Browser(window)->textCursor().selectedText(), selected);
    QCOMPARE(FindStatus(window), status);
    QTest::keyClick(text, Qt::Key_Escape);
    QVERIFY(!text->isVisible());
    QCOMPARE(FindStatus(window), "");
}

// "HIDE ELEMENTS GRAPH" is on the page once: the next place after it is itself, again.
void HelpWindowTest::findGoesRoundThePage()
{
    THelpWindow window;
    window.ShowPage("commands.html");
    QVERIFY(window.Find("hide elements graph"));
    const int first = Browser(window)->textCursor().position();
    QVERIFY(window.Find("hide elements graph"));
    QCOMPARE(Browser(window)->textCursor().position(), first);
    QVERIFY(window.Find("hide elements graph", true));
    QCOMPARE(Browser(window)->textCursor().position(), first);
    QVERIFY(!window.Find("hide elements graphs"));
    QCOMPARE(Browser(window)->textCursor().position(), first);  // the selection stays
}

void HelpWindowTest::enterAndShiftEnterStepThroughThePlaces()
{
    THelpWindow window;
    QVERIFY(ShowActive(window));
    window.ShowPage("commands.html");
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QLineEdit* text = FindText(window);
    QTest::keyClicks(text, "shortest form");  // found as it is typed
    const int first = Browser(window)->textCursor().position();
    QTest::keyClick(text, Qt::Key_Return);
    const int second = Browser(window)->textCursor().position();
    QVERIFY(second > first);
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(Browser(window)->textCursor().position(), first);
    QCOMPARE(FindStatus(window), "");
}

SPEKLA_QTEST(HelpWindowTest);

#include "HelpWindowTest.moc"
