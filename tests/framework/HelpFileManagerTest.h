#pragma once

#include <QObject>

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
