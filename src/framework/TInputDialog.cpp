#include "framework/TInputDialog.h"

#include "framework/TDoubleRangeValidator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TInputDialog::TInputDialog(QWidget* parent, const QString& caption, const QString& prompt,
                           const QString& initial, int maxLength)
    : QDialog(parent), m_edit(new QLineEdit(this))
{
    setWindowTitle(caption);
    auto* label = new QLabel(prompt, this);
    label->setBuddy(m_edit);
    m_edit->setObjectName("edit");
    m_edit->setMaxLength(maxLength);
    m_edit->setText(initial);
    m_edit->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TInputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TInputDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

void TInputDialog::SetRange(const DoubleRange& range)
{
    // The edit owns its validator; a replaced one would otherwise live as long as the dialog.
    const QValidator* previous = m_edit->validator();
    m_edit->setValidator(new TDoubleRangeValidator(range, m_edit));
    delete previous;
}

QString TInputDialog::Text() const
{
    return m_edit->text();
}

void TInputDialog::accept()
{
    if (TDoubleRangeValidator::ConfirmValid(m_edit)) {
        QDialog::accept();
    }
}
