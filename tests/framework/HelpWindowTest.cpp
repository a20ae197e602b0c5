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
    void backAndForwardRetraceThePages();
    void contentsListFollowsAndLeads();
    void findBar();
};

namespace {

QUrl Page(const char* page, const char* anchor = "")
{
    return THelpWindow::PageUrl(page, anchor);
}

// A window shown and active, so that its keys work, at `page`.
struct ShownWindow {
    explicit ShownWindow(const char* page = nullptr)
    {
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        if (page != nullptr) {
            window.ShowPage(page);
        }
    }
    int Cursor() { return browser->textCursor().position(); }

    THelpWindow window;
    QTextBrowser* browser = Find<QTextBrowser>(window, "browser");
    QLineEdit* findText = Find<QLineEdit>(window, "findText");
    QLabel* findStatus = Find<QLabel>(window, "findStatus");
    bool active = false;
};

}  // namespace

// A new window shows the contents; a page opens at its anchor; Alt+Left and Alt+Right step
// through the history.
void HelpWindowTest::backAndForwardRetraceThePages()
{
    ShownWindow shown;
    QVERIFY(shown.active);
    THelpWindow& window = shown.window;
    window.ShowPage("commands.html", "cmd-GOTO");
    QVERIFY(shown.browser->verticalScrollBar()->value() > 0);  // scrolled to the anchor
    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(window.Source(), Page("index.html"));
    QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(window.Source(), Page("commands.html", "cmd-GOTO"));
}

void HelpWindowTest::contentsListFollowsAndLeads()
{
    THelpWindow window;
    auto* contents = Find<QListWidget>(window, "contents");
    QCOMPARE(contents->currentRow(), 0);
    window.ShowPage("menu-graph.html", "summation");
    QCOMPARE(contents->currentItem()->text(), "Graph menu");
    contents->setCurrentRow(contents->count() - 1);
    QCOMPARE(window.Source(), Page("keys.html"));
}

// Ctrl+F opens the find bar; typing finds as it goes, without regard to case; Enter and
// Shift+Enter step through the places, round the page; a failed search says so and keeps the
// selection; Escape closes the bar, and then the window.
void HelpWindowTest::findBar()
{
    ShownWindow shown("commands.html");
    QVERIFY(shown.active);
    QVERIFY(!shown.findText->isVisible());
    QTest::keyClick(&shown.window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(shown.findText->isVisible() && shown.findText->hasFocus());
    QTest::keyClicks(shown.findText, "shortest form");
    const int first = shown.Cursor();
    QTest::keyClick(shown.findText, Qt::Key_Return);
    QVERIFY(shown.Cursor() > first);
    QTest::keyClick(shown.findText, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(shown.Cursor(), first);

    shown.findText->clear();
    QTest::keyClicks(shown.findText, "wavenumber");
    QCOMPARE(shown.browser->textCursor().selectedText(), "WAVENUMBER");
    shown.findText->clear();
    QTest::keyClicks(shown.findText, "xylophone");
    QTest::keyClick(shown.findText, Qt::Key_Return);
    QCOMPARE(shown.findStatus->text(), "Not found");
    QTest::keyClick(shown.findText, Qt::Key_Escape);
    QVERIFY(!shown.findText->isVisible());
    QCOMPARE(shown.findStatus->text(), "");
    QVERIFY(shown.window.isVisible());
    QTest::keyClick(shown.browser, Qt::Key_Escape);
    QVERIFY(!shown.window.isVisible());
}

SPEKLA_QTEST(HelpWindowTest);

#include "HelpWindowTest.moc"
