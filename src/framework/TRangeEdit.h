#pragma once

#include "framework/DoubleRange.h"

#include <QLineEdit>

// A number field over a DoubleRange, with a TDoubleRangeValidator. It shows the value it is given
// inside its range and in a form the validator accepts, and remembers that value: a field left
// untouched hands back the exact value rather than what its six-digit text reads as.
class TRangeEdit : public QLineEdit {
    Q_OBJECT

public:
    // At most `maxLength` characters can be typed.
    TRangeEdit(const DoubleRange& range, int maxLength, QWidget* parent = nullptr);

    const DoubleRange& Range() const { return m_range; }

    void SetValue(double value);
    // The field still shows the value given and that value lay inside the range, so the caller
    // may keep its own exact value.
    bool Kept() const;
    // The text read like atof once it was edited; else the value given, brought into the range.
    double Value() const;
    // TDoubleRangeValidator::ConfirmValid on this field.
    bool ConfirmValid();

private:
    DoubleRange m_range;
    double m_given = 0.0;
    QString m_shown;
};
