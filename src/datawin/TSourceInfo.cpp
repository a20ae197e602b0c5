#include "datawin/TSourceInfo.h"

#include "framework/NumberFormat.h"
#include "framework/TDoubleRangeValidator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

TSourceInfo::TSourceInfo(QWidget* parent, const QString& fileName, const std::string& label,
                         double scale)
    : QDialog(parent), m_label(new QLineEdit(this)), m_scale(new QLineEdit(this))
{
    setWindowTitle(fileName);
    m_label->setObjectName("label");
    m_label->setMaxLength(kLabelLength);
    m_label->setText(QString::fromStdString(label).left(kLabelLength));
    m_scale->setObjectName("scale");
    m_scale->setMaxLength(kScaleLength);
    m_scale->setValidator(new TDoubleRangeValidator(DoubleRange(0, 1000), m_scale));
    // Three digits (1.00) unless that needs an exponent, which the field cannot take.
    const std::string shown = FormatPointShown(scale, 3);
    m_scale->setText(QString::fromStdString(
        shown.find('e') == std::string::npos ? shown : FormatFixed(scale, 2)));

    auto* group = new QGroupBox(tr("Data"), this);
    auto* fields = new QFormLayout(group);
    fields->addRow(tr("&Column label"), m_label);
    fields->addRow(tr("&Scaling"), m_scale);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TSourceInfo::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TSourceInfo::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

std::string TSourceInfo::Label() const
{
    return m_label->text().toStdString();
}

double TSourceInfo::Scale() const
{
    return ParseLeadingDouble(m_scale->text().toStdString());
}

void TSourceInfo::accept()
{
    if (TDoubleRangeValidator::ConfirmValid(m_scale)) {
        QDialog::accept();
    }
}
