#include "elements/TElementDialog.h"
#include "elements/TValenceDialog.h"
#include "framework/THelpFileManager.h"
#include "framework/THelpWindow.h"
#include "support/QtTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

// THelpFileManager: ShowHelpTopic reaches the one manager or nothing; topics open the help
// window at their page and anchor; F1 finds the topic of a highlighted menu item, of the focused
// widget in a dialog, and of the widget under the pointer in a main window, and leaves F1 to
// the Help menu's shortcut where none applies. The dialogs' Help buttons open their pages.
class HelpFileManagerTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAManagerNothingOpens();
    void managerIsTheProcessInstanceWhileItLives();
    void topicOpensItsPage_data();
    void topicOpensItsPage();
    void helpFromAModalDialogStaysUsable();
    void f1InADialogFollowsTheFocus_data();
    void f1InADialogFollowsTheFocus();
    void f1OnAHighlightedMenuItem_data();
    void f1OnAHighlightedMenuItem();
    void f1InTheMainWindow_data();
    void f1InTheMainWindow();
    void helpButtonsOfTheDialogs();
};

namespace {

QUrl Page(const QString& page, const QString& anchor = QString())
{
    return THelpWindow::PageUrl(page, anchor);
}

// The page the manager shows, or an empty address when it shows none.
QUrl Shown(const THelpFileManager& manager)
{
    return manager.Window() != nullptr && manager.Window()->isVisible() ? manager.Window()->Source()
                                                                        : QUrl();
}

bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

template <typename T>
T* Named(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(name);
}

// A dialog with a field of its own topic, a box inside a group with a topic, and a field
// without one, so the dialog's own topic applies.
struct TestDialog : QDialog {
    TestDialog()
    {
        setProperty(kHelpContextProperty, 108);
        auto* withTopic = new QLineEdit(this);
        withTopic->setObjectName("withTopic");
        withTopic->setProperty(kHelpContextProperty, 106);
        auto* group = new QWidget(this);
        group->setProperty(kHelpContextProperty, 105);
        auto* inGroup = new QCheckBox("I", group);
        inGroup->setObjectName("inGroup");
        new QVBoxLayout(group);
        group->layout()->addWidget(inGroup);
        auto* plain = new QLineEdit(this);
        plain->setObjectName("plain");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(withTopic);
        layout->addWidget(group);
        layout->addWidget(plain);
    }
};

// A main window whose F1 shortcut counts its uses, as the Help menu's Contents does, with a
// pane that has a topic and one that has none.
struct TestMainWindow : QMainWindow {
    TestMainWindow()
    {
        auto* centre = new QWidget;
        auto* pane = new QWidget(centre);
        pane->setObjectName("pane");
        pane->setProperty(kHelpContextProperty, 70);
        pane->setMinimumSize(200, 100);
        auto* bare = new QWidget(centre);
        bare->setObjectName("bare");
        bare->setMinimumSize(200, 100);
        auto* commandLine = new QLineEdit(centre);
        commandLine->setObjectName("commandLine");
        auto* layout = new QVBoxLayout(centre);
        layout->addWidget(pane);
        layout->addWidget(bare);
        layout->addWidget(commandLine);
        setCentralWidget(centre);
        auto* contents = new QAction("Contents", this);
        contents->setShortcut(Qt::Key_F1);
        connect(contents, &QAction::triggered, this, [this] { ++contentsUsed; });
        addAction(contents);
    }
    int contentsUsed = 0;
};

}  // namespace

void HelpFileManagerTest::withoutAManagerNothingOpens()
{
    QCOMPARE(THelpFileManager::Instance(), nullptr);
    ShowHelpTopic(73);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY(qobject_cast<THelpWindow*>(window) == nullptr);
    }
}

void HelpFileManagerTest::managerIsTheProcessInstanceWhileItLives()
{
    {
        THelpFileManager manager;
        QCOMPARE(THelpFileManager::Instance(), &manager);
        QCOMPARE(manager.Window(), nullptr);  // no window until a topic is shown
        ShowHelpTopic(73);
        QCOMPARE(Shown(manager), Page("commands.html"));
        THelpWindow* window = manager.Window();
        ShowHelpTopic(22);
        QCOMPARE(manager.Window(), window);  // one window, raised again
        QCOMPARE(Shown(manager), Page("index.html"));
    }
    QCOMPARE(THelpFileManager::Instance(), nullptr);
}

void HelpFileManagerTest::topicOpensItsPage_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<QUrl>("page");
    QTest::newRow("contents") << 22 << Page("index.html");
    QTest::newRow("command line") << 73 << Page("commands.html");
    QTest::newRow("menu item") << 39 << Page("menu-data.html", "go-to-wavelength");
    QTest::newRow("dialog field") << 106 << Page("element-dialog.html", "ratio");
    QTest::newRow("export's data only") << 4 << Page("export-dialog.html", "data-only");
    QTest::newRow("help on help") << 2002 << Page("helponhelp.html");
    QTest::newRow("unknown") << 9999 << Page("index.html");
    QTest::newRow("no topic between") << 10 << Page("index.html");
}

void HelpFileManagerTest::topicOpensItsPage()
{
    QFETCH(int, context);
    QFETCH(QUrl, page);
    THelpFileManager manager;
    manager.ShowTopic(context);
    QCOMPARE(Shown(manager), page);
}

// A modal dialog blocks every other window; the help it opens must not be one of them.
void HelpFileManagerTest::helpFromAModalDialogStaysUsable()
{
    THelpFileManager manager;
    {
        TestDialog dialog;
        dialog.setModal(true);
        QVERIFY(ShowActive(dialog));
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        ShowHelpTopic(108);
        THelpWindow* help = manager.Window();
        QCOMPARE(help->windowHandle()->transientParent(), dialog.windowHandle());
        QVERIFY(QTest::qWaitForWindowActive(help));
        // Keys of the window system reach a window only while no modal dialog blocks it.
        QTest::keyClick(help->windowHandle(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(help->findChild<QLineEdit*>("findText")->isVisible());
    }
    ShowHelpTopic(22);
    QCOMPARE(manager.Window()->windowHandle()->transientParent(), nullptr);
}

void HelpFileManagerTest::f1InADialogFollowsTheFocus_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QUrl>("page");
    QTest::newRow("field with a topic") << "withTopic" << Page("element-dialog.html", "ratio");
    QTest::newRow("inside a group with a topic")
        << "inGroup" << Page("valence-dialog.html", "valence-boxes");
    QTest::newRow("field without one") << "plain" << Page("valence-dialog.html");
}

void HelpFileManagerTest::f1InADialogFollowsTheFocus()
{
    QFETCH(QString, focus);
    QFETCH(QUrl, page);
    THelpFileManager manager;
    TestDialog dialog;
    QVERIFY(ShowActive(dialog));
    QWidget* focused = dialog.findChild<QWidget*>(focus);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_F1);
    QCOMPARE(Shown(manager), page);
}

void HelpFileManagerTest::f1OnAHighlightedMenuItem_data()
{
    QTest::addColumn<int>("itemTopic");  // -1: the item carries none
    QTest::addColumn<int>("ownerTopic");
    QTest::addColumn<QUrl>("page");
    QTest::newRow("item with a topic") << 39 << 0 << Page("menu-data.html", "go-to-wavelength");
    QTest::newRow("item without, pane's menu") << -1 << 71 << Page("graph-window.html");
    QTest::newRow("item without, main menu") << -1 << 0 << Page("index.html");
}

void HelpFileManagerTest::f1OnAHighlightedMenuItem()
{
    QFETCH(int, itemTopic);
    QFETCH(int, ownerTopic);
    QFETCH(QUrl, page);
    THelpFileManager manager;
    TestMainWindow window;
    QVERIFY(ShowActive(window));
    QWidget* owner = Named<QWidget>(window, "bare");
    if (ownerTopic != 0) {
        owner->setProperty(kHelpContextProperty, ownerTopic);
    }
    auto* menu = new QMenu(owner);
    QAction* item = menu->addAction("Item");
    if (itemTopic >= 0) {
        item->setProperty(kHelpContextProperty, itemTopic);
    }
    menu->popup(owner->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(item);
    QTest::keyClick(menu, Qt::Key_F1);
    QCOMPARE(Shown(manager), page);
    QVERIFY(!menu->isVisible());
    QCOMPARE(window.contentsUsed, 0);
}

void HelpFileManagerTest::f1InTheMainWindow_data()
{
    QTest::addColumn<QString>("pointer");
    QTest::addColumn<bool>("withShortcut");
    QTest::addColumn<QUrl>("page");
    QTest::addColumn<int>("contentsUsed");
    QTest::newRow("over a pane") << "pane" << true << Page("data-window.html") << 0;
    QTest::newRow("over a pane, no shortcut") << "pane" << false << Page("data-window.html") << 0;
    QTest::newRow("elsewhere: the shortcut's") << "bare" << true << QUrl() << 1;
    QTest::newRow("elsewhere, no shortcut") << "bare" << false << Page("index.html") << 0;
}

void HelpFileManagerTest::f1InTheMainWindow()
{
    QFETCH(QString, pointer);
    QFETCH(bool, withShortcut);
    QFETCH(QUrl, page);
    QFETCH(int, contentsUsed);
    THelpFileManager manager;
    TestMainWindow window;
    window.actions().first()->setEnabled(withShortcut);
    QVERIFY(ShowActive(window));
    auto* commandLine = Named<QLineEdit>(window, "commandLine");
    commandLine->setFocus();
    QWidget* under = Named<QWidget>(window, qPrintable(pointer));
    QCursor::setPos(under->mapToGlobal(under->rect().center()));
    QCOMPARE(QApplication::widgetAt(QCursor::pos()), under);
    QTest::keyClick(commandLine, Qt::Key_F1);
    QCOMPARE(Shown(manager), page);
    QCOMPARE(window.contentsUsed, contentsUsed);
}

void HelpFileManagerTest::helpButtonsOfTheDialogs()
{
    THelpFileManager manager;
    TValenceDialog valences(nullptr, TValenceDialog::FlagArray{});
    QVERIFY(ShowActive(valences));
    valences.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    QCOMPARE(Shown(manager), Page("valence-dialog.html"));
    QVERIFY(valences.isVisible());  // help does not close the dialog
    QCheckBox* box = valences.findChildren<QCheckBox*>().first();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F1);
    QCOMPARE(Shown(manager), Page("valence-dialog.html", "valence-boxes"));

    TElementDialog element(nullptr, "Fe", 1.0);
    QVERIFY(ShowActive(element));
    element.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    QCOMPARE(Shown(manager), Page("element-dialog.html", "ratio"));
    QLineEdit* symbol = element.findChild<QLineEdit*>("symbol");
    symbol->setFocus();
    QTest::keyClick(symbol, Qt::Key_F1);
    QCOMPARE(Shown(manager), Page("element-dialog.html", "symbol"));
    QPushButton* cancel = element.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_F1);
    QCOMPARE(Shown(manager), Page("dialogs.html", "cancel"));
}

SPEKLA_QTEST(HelpFileManagerTest);

#include "HelpFileManagerTest.moc"
