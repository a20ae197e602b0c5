#include "app/CommandFileRunner.h"

#include "command/CommandLineParser.h"
#include "command/CommandList.h"
#include "workspace/TSpeklaWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

CommandFileRunner::CommandFileRunner(TSpeklaWindow& workspace, const TextTables& text,
                                     std::function<void()> settle, bool withoutWindow)
    : m_workspace(workspace),
      m_text(text),
      m_settle(std::move(settle)),
      m_withoutWindow(withoutWindow)
{
}

bool CommandFileRunner::Run(const std::vector<CommandFile::Line>& lines)
{
    if (m_withoutWindow) {
        qApp->installEventFilter(this);
    }
    bool done = true;
    for (const CommandFile::Line& line : lines) {
        if (!RunLine(line)) {
            done = false;
            break;
        }
        if (m_quit) {
            break;
        }
    }
    qApp->removeEventFilter(this);
    return done;
}

// The keyword table is made anew for each line: a command may rename an element.
bool CommandFileRunner::RunLine(const CommandFile::Line& line)
{
    const QString where =
        tr("line %1: %2: ").arg(line.number).arg(QString::fromStdString(line.text));
    const std::string tooLong = CommandLineParser::LengthWarning(line.text);
    if (!tooLong.empty()) {
        m_failure = tr("line %1: ").arg(line.number) + QString::fromStdString(tooLong);
        return false;
    }
    const auto typed = CommandLineParser::Split(line.text);
    if (!typed) {
        return true;
    }
    const auto resolved = CommandLineParser::Resolve(CommandList::ForElements(m_text), *typed);
    if (!resolved) {
        m_failure =
            where + tr("no command matches \"%1\"").arg(QString::fromStdString(typed->keyword));
        return false;
    }
    if (resolved->commandId == 0) {
        m_quit = true;
        return true;
    }
    m_settle();
    m_dialogRefused = false;
    const int acted =
        m_workspace.RunCommand(resolved->commandId, resolved->keyword, resolved->argument);
    if (m_dialogRefused) {
        m_failure = where + tr("the command asks in a dialog, which a run without a window "
                               "cannot show");
        return false;
    }
    if (acted == 0) {
        m_failure = where + tr("the command was refused");
        return false;
    }
    return true;
}

// Any dialog that comes up is closed again at once, from its own event loop.
bool CommandFileRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<QDialog*>(watched)) {
            m_dialogRefused = true;
            QMetaObject::invokeMethod(dialog, "done", Qt::QueuedConnection,
                                      Q_ARG(int, QDialog::Rejected));
        }
    }
    return QObject::eventFilter(watched, event);
}
