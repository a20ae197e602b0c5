#include "framework/TRangeEdit.h"

#include "framework/NumberFormat.h"
#include "framework/TDoubleRangeValidator.h"

TRangeEdit::TRangeEdit(const DoubleRange& range, int maxLength, QWidget* parent)
    : QLineEdit(parent), m_range(range)
{
    setMaxLength(maxLength);
    setValidator(new TDoubleRangeValidator(range, this));
}

void TRangeEdit::SetValue(double value)
{
    m_given = value;
    setText(QString::fromStdString(m_range.TextOf(value)));
    m_shown = text();
}

bool TRangeEdit::Kept() const
{
    return text() == m_shown && m_given >= m_range.Min() && m_given <= m_range.Max();
}

double TRangeEdit::Value() const
{
    if (text() != m_shown) {
        return ParseLeadingDouble(text().toStdString());
    }
    return Kept() ? m_given : ParseLeadingDouble(m_shown.toStdString());
}

bool TRangeEdit::ConfirmValid()
{
    return TDoubleRangeValidator::ConfirmValid(this);
}
