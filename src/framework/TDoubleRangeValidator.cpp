#include "framework/TDoubleRangeValidator.h"

#include <algorithm>

#include <QLineEdit>
#include <QMessageBox>

TDoubleRangeValidator::TDoubleRangeValidator(const DoubleRange& range, QObject* parent)
    : QValidator(parent), m_range(range)
{
}

QValidator::State TDoubleRangeValidator::validate(QString& input, int& /*pos*/) const
{
    // Anything outside ASCII becomes bytes the range does not allow, so it is refused too.
    const std::string text = input.toStdString();
    if (!m_range.AllowsTyping(text)) {
        return Invalid;
    }
    // The range reads "" or "-" as 0; a field showing no digit still waits for its number.
    const bool hasDigit =
        std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return hasDigit && m_range.IsValid(text) ? Acceptable : Intermediate;
}

bool TDoubleRangeValidator::ConfirmValid(QLineEdit* edit)
{
    const auto* validator = qobject_cast<const TDoubleRangeValidator*>(edit->validator());
    if (validator == nullptr || validator->Range().IsValid(edit->text().toStdString())) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, tr("Spekla"),
                    QString::fromStdString(validator->Range().ErrorText()), QMessageBox::Ok,
                    edit->window());
    box.exec();
    edit->setFocus();
    edit->selectAll();
    return false;
}
