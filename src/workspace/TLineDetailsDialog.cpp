#include "workspace/TLineDetailsDialog.h"

#include "analysis/LineDetails.h"
#include "database/DisplayWaveData.h"
#include "database/WavelengthFormat.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TLineDetailsDialog::TLineDetailsDialog(QWidget* parent)
    : QDialog(parent), m_heading(new QLabel(this)), m_details(new QLabel(this))
{
    setWindowTitle(tr("Line details"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    for (QLabel* label : {m_heading, m_details}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setTextFormat(Qt::PlainText);
    }
    // Esc rejects the dialog, which closes it as the button does.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_details);
    layout->addStretch();
    layout->addWidget(buttons);
}

void TLineDetailsDialog::Show(QWidget* parent, const DisplayWaveData& line,
                              const DisplaySettings& settings, double velocity)
{
    auto* dialog = parent->findChild<TLineDetailsDialog*>(QString(), Qt::FindDirectChildrenOnly);
    if (dialog == nullptr) {
        dialog = new TLineDetailsDialog(parent);
    }
    dialog->SetLine(line, settings, velocity);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TLineDetailsDialog::SetLine(const DisplayWaveData& line, const DisplaySettings& settings,
                                 double velocity)
{
    m_heading->setText(QString::fromStdString(line.elementName + " " + line.valenceName + " " +
                                              FormatWavelength(line, settings) + " " +
                                              DisplayUnit(settings))
                           .simplified());
    QStringList rows;
    for (const std::string& row : LineDetailRows(line, velocity)) {
        rows << QString::fromStdString(row);
    }
    m_details->setText(rows.isEmpty() ? tr("Nothing more is known of this line.")
                                      : rows.join('\n'));
    adjustSize();
}
