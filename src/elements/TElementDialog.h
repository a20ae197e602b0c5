#pragma once

#include <optional>
#include <string>

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;

// Edits one element's symbol (one to three characters, no blanks, not starting with a digit, +
// or -) and intensity ratio (0 to
// 1000). The fields show the symbol cut to three characters and the ratio in six digits, so a
// value is handed back only when its field's text differs from what was shown: an untouched OK
// keeps a longer name or a more precise ratio. OK with a changed symbol that is empty or holds a
// blank, or a changed ratio out of range, explains the rule and keeps the dialog open.
class TElementDialog : public QDialog {
    Q_OBJECT

public:
    TElementDialog(QWidget* parent, const std::string& symbol, double ratio);

    // The symbol as typed; nothing when the field still shows the given one.
    std::optional<std::string> NewSymbol() const;
    // The ratio as typed, read like atof; nothing when the field still shows the given one.
    std::optional<double> NewRatio() const;

    void accept() override;

    static constexpr int kSymbolLength = 3;
    static constexpr int kRatioLength = 11;

private:
    void SetHelpContexts(QDialogButtonBox* buttons);
    bool ConfirmSymbol();

    QLineEdit* m_symbol;
    QLineEdit* m_ratio;
    QString m_shownSymbol;
    QString m_shownRatio;
};
