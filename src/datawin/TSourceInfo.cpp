#include "datawin/TSourceInfo.h"

#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/TDoubleRangeValidator.h"

#include <algorithm>
#include <cmath>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

// Three digits (1.00) unless that needs an exponent, which the field cannot take: then as many
// decimals as fit the field, so that pressing OK keeps a small scale rather than zeroing it.
std::string TSourceInfo::ScaleText(double scale)
{
    const std::string shown = FormatPointShown(scale, 3);
    if (shown.find('e') == std::string::npos) {
        return shown;
    }
    const int integerDigits = scale >= 1.0 ? static_cast<int>(std::log10(scale)) + 1 : 1;
    std::string text = FormatFixed(scale, std::max(kScaleLength - integerDigits - 1, 0));
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
        text.pop_back();
    }
    return text.substr(0, kScaleLength);
}

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
    m_scale->setValidator(new TDoubleRangeValidator(Limits::kSourceScale, m_scale));
    m_scale->setText(QString::fromStdString(ScaleText(scale)));

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
