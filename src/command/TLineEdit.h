#pragma once

#include "command/CommandList.h"

#include <functional>

#include <QLineEdit>

class TComboEdit;

// The edit field of the command-line box. Enter resolves the typed line against the keyword
// table and hands the command on; a word that matches nothing beeps, is reported and stays
// selected for correction. The field takes any length, so that a pasted line is never cut short; a
// line over the limit is refused whole when entered.
class TLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TLineEdit(TComboEdit* comboParent);

    void SetKeywords(CommandList keywords);
    // An element renamed: the new symbol can be typed at once.
    void RenameElement(const QString& oldSymbol, const QString& newSymbol);
    // Keys for which `isTaken` answers true are left to the window's shortcuts rather than used
    // for editing (Ctrl+A, Ctrl+Left ... when a menu command has them).
    void SetShortcutFilter(std::function<bool(const QKeySequence&)> isTaken);
    // Runs the line as if typed and entered.
    void Execute(const QString& line);

signals:
    // A resolved command: its number, the keyword as matched and its argument text (upper case,
    // or as typed where it names a file or a label). Delivered at once.
    void CommandEntered(int commandId, const QString& keyword, const QString& argument);
    // A quit word was entered.
    void QuitRequested();
    // The command word of an entered line matches nothing; `word` in upper case.
    void NoMatch(const QString& word);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RememberInHistory(const QString& typed);

    CommandList m_keywords;
    std::function<bool(const QKeySequence&)> m_shortcutTaken;
    TComboEdit* m_comboParent;
};
