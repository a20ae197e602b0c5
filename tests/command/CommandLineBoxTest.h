#pragma once

#include <QObject>

class CommandLineBoxTest : public QObject {
    Q_OBJECT

private slots:
    void EnteredLinesBecomeCommands_data();
    void EnteredLinesBecomeCommands();
    void EmptyLineDoesNothing();
    void UnknownWordStaysSelected();
    void HistoryKeepsNewLinesAsTyped();
    void QuitWordEndsWithoutHistory();
    void WindowShortcutsWinOverEditingKeys();
    void ClassicEditKeysActOnTheLine();
};
