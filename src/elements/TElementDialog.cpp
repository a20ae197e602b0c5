#include "elements/TElementDialog.h"

#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/TDoubleRangeValidator.h"
#include "framework/THelpFileManager.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// Help topics of the dialog and its fields.
constexpr int kRatioTopic = 106;
constexpr int kSymbolTopic = 107;

}  // namespace

TElementDialog::TElementDialog(QWidget* parent, const std::string& symbol, double ratio)
    : QDialog(parent),
      m_symbol(new QLineEdit(this)),
      m_ratio(new QLineEdit(this)),
      m_shownSymbol(QString::fromStdString(symbol).left(kSymbolLength)),
      m_shownRatio(QString::fromStdString(FormatDefault(ratio)))
{
    setWindowTitle(tr("Element data"));
    m_symbol->setObjectName("symbol");
    m_symbol->setMaxLength(kSymbolLength);
    m_symbol->setText(m_shownSymbol);
    m_ratio->setObjectName("ratio");
    m_ratio->setMaxLength(kRatioLength);
    m_ratio->setValidator(new TDoubleRangeValidator(Limits::kRatio, m_ratio));
    m_ratio->setText(m_shownRatio);

    auto* fields = new QFormLayout;
    fields->addRow(tr("&Symbol"), m_symbol);
    fields->addRow(tr("&Ratio"), m_ratio);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TElementDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TElementDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpTopic(kRatioTopic); });
    SetHelpContexts(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

// F1 opens the topic of the field or button that has the focus.
void TElementDialog::SetHelpContexts(QDialogButtonBox* buttons)
{
    setProperty(kHelpContextProperty, kRatioTopic);
    m_ratio->setProperty(kHelpContextProperty, kRatioTopic);
    m_symbol->setProperty(kHelpContextProperty, kSymbolTopic);
    SetButtonHelpContexts(buttons);
}

std::optional<std::string> TElementDialog::NewSymbol() const
{
    if (m_symbol->text() == m_shownSymbol) {
        return std::nullopt;
    }
    return m_symbol->text().toStdString();
}

std::optional<double> TElementDialog::NewRatio() const
{
    if (m_ratio->text() == m_shownRatio) {
        return std::nullopt;
    }
    return ParseLeadingDouble(m_ratio->text().toStdString());
}

// Only a field that will be written back is checked: an untouched ratio may show an exponent
// (1e-07) that cannot be typed, and refusing it would block an OK that changes nothing.
void TElementDialog::accept()
{
    if ((!NewSymbol() || ConfirmSymbol()) &&
        (!NewRatio() || TDoubleRangeValidator::ConfirmValid(m_ratio))) {
        QDialog::accept();
    }
}

// Elements are numbered by their place in the element table file, which holds blank-separated
// words: an empty or blank symbol would shift every later element's code and put their lines
// under the wrong element. A symbol is also typed as a command word: one starting with a digit
// would read as a number, "+" or "-" as ADD or REMOVE.
bool TElementDialog::ConfirmSymbol()
{
    const QString text = m_symbol->text();
    const bool blank = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
    const bool badStart = !text.isEmpty() &&
                          (text[0].isDigit() || text[0] == '+' || text[0] == '-' || text[0] == '.');
    if (!text.isEmpty() && !blank && !badStart) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, tr("Spekla"),
                    tr("An element symbol must be one to three characters without blanks, not "
                       "starting with a digit, + or -."),
                    QMessageBox::Ok, this);
    box.exec();
    m_symbol->setFocus();
    m_symbol->selectAll();
    return false;
}
