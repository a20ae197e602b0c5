#pragma once

#include <QComboBox>

class CommandList;
class TLineEdit;

// The command-line box: an editable drop-down whose list is the history of entered lines, most
// recent first, in the order they were entered (never sorted).
class TComboEdit : public QComboBox {
    Q_OBJECT

public:
    explicit TComboEdit(QWidget* parent = nullptr);

    void SetKeywords(CommandList keywords);
    TLineEdit* LineEdit() const { return m_lineEdit; }

private:
    TLineEdit* m_lineEdit;
};
