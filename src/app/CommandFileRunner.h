#pragma once

#include "command/CommandFile.h"

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

class TSpeklaWindow;
class TextTables;

// Carries out the lines of a command file as if each were typed into the command line, in
// order, and stops at the first one refused. Without a window (a batch run) a command that
// would open a dialog is refused rather than left waiting for a user.
class CommandFileRunner : public QObject {
    Q_OBJECT

public:
    // `settle` completes the work left for idle time (the fill of the line list), so that each
    // command sees every line.
    CommandFileRunner(TSpeklaWindow& workspace, const TextTables& text,
                      std::function<void()> settle, bool withoutWindow);

    // True when every line was carried out, or a quit word ended the file.
    bool Run(const std::vector<CommandFile::Line>& lines);
    bool QuitRequested() const { return m_quit; }
    // Why the run stopped: the line and what became of it.
    const QString& Failure() const { return m_failure; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool RunLine(const CommandFile::Line& line);

    TSpeklaWindow& m_workspace;
    const TextTables& m_text;
    std::function<void()> m_settle;
    bool m_withoutWindow;
    bool m_dialogRefused = false;
    bool m_quit = false;
    QString m_failure;
};
