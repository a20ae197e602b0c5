#include "command/TLineEdit.h"

#include "command/CommandLineParser.h"
#include "command/TComboEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

TLineEdit::TLineEdit(TComboEdit* comboParent) : QLineEdit(comboParent), m_comboParent(comboParent)
{
}

void TLineEdit::SetKeywords(CommandList keywords)
{
    m_keywords = std::move(keywords);
}

void TLineEdit::RenameElement(const QString& oldSymbol, const QString& newSymbol)
{
    m_keywords.RenameElement(oldSymbol.toStdString(), newSymbol.toStdString());
}

void TLineEdit::SetShortcutFilter(std::function<bool(const QKeySequence&)> isTaken)
{
    m_shortcutTaken = std::move(isTaken);
}

bool TLineEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && m_shortcutTaken) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Keys of the number pad carry a modifier of their own that no shortcut names.
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (m_shortcutTaken(QKeySequence(QKeyCombination(modifiers, Qt::Key(key->key()))))) {
            event->ignore();  // not overridden: the shortcut runs
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Execute(text());
        return;
    }
    // The classic edit keys beside the desktop's own: Shift+Del, Ctrl+Ins and Shift+Ins are
    // cut, copy and paste already; Ctrl+Del clears the selection (with none it deletes the next
    // word, as usual here) and Alt+Backspace undoes.
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && event->key() == Qt::Key_Delete && hasSelectedText()) {
        del();
        return;
    }
    if (modifiers == Qt::AltModifier && event->key() == Qt::Key_Backspace) {
        undo();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TLineEdit::Execute(const QString& line)
{
    const std::string tooLong = CommandLineParser::LengthWarning(line.toStdString());
    if (!tooLong.empty()) {
        QMessageBox::warning(this, tr("Warning"), QString::fromStdString(tooLong));
        selectAll();
        return;
    }
    const auto typed = CommandLineParser::Split(line.toStdString());
    if (!typed) {
        return;
    }
    const auto resolved = CommandLineParser::Resolve(m_keywords, *typed);
    if (!resolved) {
        QApplication::beep();
        emit NoMatch(QString::fromStdString(typed->keyword));
        selectAll();
        return;
    }
    if (resolved->commandId == 0) {
        emit QuitRequested();
        return;
    }
    const QString asTyped = line;  // the history keeps the line as it was typed
    emit CommandEntered(resolved->commandId, QString::fromStdString(resolved->keyword),
                        QString::fromStdString(resolved->argument));
    RememberInHistory(asTyped);
    clear();
}

// Only lines that no entry begins with (ignoring case) are added, most recent first.
void TLineEdit::RememberInHistory(const QString& typed)
{
    if (m_comboParent->findText(typed, Qt::MatchStartsWith) < 0) {
        m_comboParent->insertItem(0, typed);
    }
}
