#pragma once

#include <QDialog>

class DoubleRange;
class QLineEdit;

// The one-line input dialog: a prompt, one edit field and OK and Cancel. With a range set, OK
// accepts only a text the range finds valid; otherwise it explains the range and stays open.
class TInputDialog : public QDialog {
    Q_OBJECT

public:
    // The edit starts with `initial`, cut to `maxLength` characters.
    TInputDialog(QWidget* parent, const QString& caption, const QString& prompt,
                 const QString& initial, int maxLength = 15);

    // Accepts only numbers in [min, max] (see DoubleRange); replaces any range set before.
    void SetRange(const DoubleRange& range);

    QString Text() const;

    void accept() override;

private:
    QLineEdit* m_edit;
};
