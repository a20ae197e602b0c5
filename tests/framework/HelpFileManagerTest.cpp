#include "framework/HelpTopics.h"
#include "framework/THelpFileManager.h"
#include "framework/THelpWindow.h"
#include "support/QtTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QObject>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

// THelpFileManager: ShowHelpTopic reaches the one manager or nothing; topics open the help
// window at their page and anchor; F1 finds the topic of a highlighted menu item, of the focused
// widget in a dialog, and of the widget under the pointer in a main window.
class HelpFileManagerTest : public QObject {
    Q_OBJECT

private slots:
    void managerShowsTopicsInOneWindow();
    void f1InAModalDialogFollowsTheFocus();
    void f1InTheMainWindow();
};

namespace {

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

// The page and anchor of a topic of the table.
QUrl TopicPage(int context)
{
    const HelpTopic& topic = *FindHelpTopic(context);
    return THelpWindow::PageUrl(QString::fromUtf8(topic.page), QString::fromUtf8(topic.anchor));
}

// Adds `widget` named `name` to `layout`, with help topic `topic` unless that is 0.
template <typename T>
T* Add(QLayout* layout, T* widget, const char* name, int topic = 0)
{
    widget->setObjectName(name);
    if (topic != 0) {
        widget->setProperty(kHelpContextProperty, topic);
    }
    layout->addWidget(widget);
    return widget;
}

// A dialog with a field of its own topic, a box inside a group with a topic, and a field
// without one, so the dialog's own topic applies.
struct TestDialog : QDialog {
    TestDialog()
    {
        setProperty(kHelpContextProperty, 108);
        auto* layout = new QVBoxLayout(this);
        Add(layout, new QLineEdit, "withTopic", 106);
        auto* group = Add(layout, new QWidget, "group", 105);
        Add(new QVBoxLayout(group), new QCheckBox("I"), "inGroup");
        Add(layout, new QLineEdit, "plain");
    }
};

// A main window whose F1 shortcut counts its uses, as the Help menu's Contents does, with a
// pane that has a topic.
struct TestMainWindow : QMainWindow {
    TestMainWindow()
    {
        setCentralWidget(new QWidget);
        auto* layout = new QVBoxLayout(centralWidget());
        Add(layout, new QWidget, "pane", 70)->setMinimumSize(200, 100);
        Add(layout, new QLineEdit, "commandLine");
        auto* contents = new QAction("Contents", this);
        contents->setShortcut(Qt::Key_F1);
        connect(contents, &QAction::triggered, this, [this] { ++contentsUsed; });
        addAction(contents);
    }
    int contentsUsed = 0;
};

}  // namespace

// Without a manager ShowHelpTopic opens nothing; the manager opens one window, raised again
// for each topic, and an unknown number opens the contents.
void HelpFileManagerTest::managerShowsTopicsInOneWindow()
{
    const qsizetype windows = QApplication::topLevelWidgets().size();
    ShowHelpTopic(73);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    {
        THelpFileManager manager;
        ShowHelpTopic(73);
        QCOMPARE(Shown(manager), TopicPage(73));
        THelpWindow* window = manager.Window();
        manager.ShowTopic(9999);
        QCOMPARE(manager.Window(), window);
        QCOMPARE(Shown(manager), TopicPage(kHelpContentsTopic));
    }
    QCOMPARE(THelpFileManager::Instance(), nullptr);
}

// F1 in a dialog opens the focused widget's topic, else its group's, else the dialog's. A modal
// dialog blocks every other window; the help it opens must not be one of them.
void HelpFileManagerTest::f1InAModalDialogFollowsTheFocus()
{
    THelpFileManager manager;
    {
        TestDialog dialog;
        dialog.setModal(true);
        QVERIFY(ShowActive(dialog));
        for (const auto& [name, topic] :
             {std::pair{"withTopic", 106}, {"inGroup", 105}, {"plain", 108}}) {
            auto* focused = Find<QWidget>(dialog, name);
            focused->setFocus();
            QTest::keyClick(focused, Qt::Key_F1);
            QCOMPARE(Shown(manager), TopicPage(topic));
        }
        THelpWindow* help = manager.Window();
        QCOMPARE(help->windowHandle()->transientParent(), dialog.windowHandle());
        QVERIFY(QTest::qWaitForWindowActive(help));
        // Keys of the window system reach a window only while no modal dialog blocks it.
        QTest::keyClick(help->windowHandle(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(Find<QLineEdit>(*help, "findText")->isVisible());
    }
    ShowHelpTopic(kHelpContentsTopic);
    QCOMPARE(manager.Window()->windowHandle()->transientParent(), nullptr);
}

// In the main window F1 opens the topic of a highlighted menu item, and with the focus in the
// command line that of the pane under the pointer, before the Help menu's own F1.
void HelpFileManagerTest::f1InTheMainWindow()
{
    THelpFileManager manager;
    TestMainWindow window;
    QVERIFY(ShowActive(window));
    auto* pane = Find<QWidget>(window, "pane");
    auto* commandLine = Find<QLineEdit>(window, "commandLine");
    commandLine->setFocus();
    QCursor::setPos(pane->mapToGlobal(pane->rect().center()));
    QTest::keyClick(commandLine, Qt::Key_F1);
    QCOMPARE(Shown(manager), TopicPage(70));

    QVERIFY(ShowActive(window));
    auto* menu = new QMenu(pane);
    QAction* item = menu->addAction("Item");
    item->setProperty(kHelpContextProperty, 39);
    menu->popup(pane->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(item);
    QTest::keyClick(menu, Qt::Key_F1);
    QCOMPARE(Shown(manager), THelpWindow::PageUrl("menu-data.html", "go-to-wavelength"));
    QVERIFY(!menu->isVisible());
    QCOMPARE(window.contentsUsed, 0);
}

SPEKLA_QTEST(HelpFileManagerTest);

#include "HelpFileManagerTest.moc"
