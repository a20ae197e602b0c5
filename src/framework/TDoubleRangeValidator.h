#pragma once

#include "framework/DoubleRange.h"

#include <QValidator>

class QLineEdit;

// A QValidator over DoubleRange. A character the range does not allow is refused while typing;
// a text that is allowed but out of range, or not a number yet ("", "-", "."), is Intermediate.
// It never follows the locale: a decimal comma is refused like any other letter. fixup is the
// base class's, which changes nothing.
class TDoubleRangeValidator : public QValidator {
    Q_OBJECT

public:
    TDoubleRangeValidator(const DoubleRange& range, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

    const DoubleRange& Range() const { return m_range; }

    // Checks `edit` against its TDoubleRangeValidator, if it has one. When the text is not
    // valid, shows the range's error text in a warning box, gives `edit` the focus with its text
    // selected and returns false, so the dialog stays open.
    static bool ConfirmValid(QLineEdit* edit);

private:
    DoubleRange m_range;
};
