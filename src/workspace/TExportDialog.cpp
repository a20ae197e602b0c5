#include "workspace/TExportDialog.h"

#include "framework/DoubleRange.h"
#include "framework/Limits.h"
#include "framework/NumberFormat.h"
#include "framework/TDoubleRangeValidator.h"
#include "framework/THelpFileManager.h"
#include "workspace/ExportWriter.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Help topics: the dialog's own, then one per control.
constexpr int kHelpDialog = 7;
constexpr int kHelpFileName = 2;
constexpr int kHelpBrowse = 0;
constexpr int kHelpBoth = 1;
constexpr int kHelpSummation = 3;
constexpr int kHelpPeaks = 114;
constexpr int kHelpData = 4;
constexpr int kHelpRange = 5;
constexpr int kHelpStepper = 6;

void SetHelp(QWidget* widget, int topic)
{
    widget->setProperty("helpContext", topic);
}

QToolButton* MakeArrow(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    SetHelp(button, kHelpStepper);
    return button;
}

}  // namespace

TExportDialog::TExportDialog(const ExportSettings& settings, QWidget* parent)
    : QDialog(parent),
      m_fileName(new QLineEdit(QString::fromStdString(settings.FileName))),
      m_range(new QLineEdit(QString::fromStdString(settings.Range))),
      m_halfRange(new QLabel),
      m_both(new QRadioButton(tr("Data &and summation"))),
      m_summation(new QRadioButton(tr("&Summation only"))),
      m_data(new QRadioButton(tr("&Data only"))),
      m_peaks(new QRadioButton(tr("&Peaks and their lines")))
{
    setWindowTitle(tr("Export data"));
    SetHelp(this, kHelpDialog);
    auto* choice = new QButtonGroup(this);
    const std::pair<QRadioButton*, int> buttons[] = {{m_both, kHelpBoth},
                                                     {m_summation, kHelpSummation},
                                                     {m_data, kHelpData},
                                                     {m_peaks, kHelpPeaks}};
    for (const auto& [button, topic] : buttons) {
        choice->addButton(button);
        SetHelp(button, topic);
    }
    m_both->setObjectName("both");
    m_summation->setObjectName("summation");
    m_data->setObjectName("data");
    m_peaks->setObjectName("peaks");
    (settings.Peaks != 0  ? m_peaks
     : settings.Both != 0 ? m_both
     : settings.Summ != 0 ? m_summation
                          : m_data)
        ->setChecked(true);

    auto* box = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    SetButtonHelpContexts(box);
    connect(box, &QDialogButtonBox::helpRequested, this, [] { ShowHelpTopic(kHelpDialog); });
    connect(box, &QDialogButtonBox::accepted, this, &TExportDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &TExportDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeFileGroup());
    layout->addWidget(MakeRangeGroup());
    for (const auto& entry : buttons) {
        layout->addWidget(entry.first);
    }
    layout->addWidget(box);
    m_fileName->setFocus();
}

QGroupBox* TExportDialog::MakeFileGroup()
{
    auto* group = new QGroupBox(tr("&Filename"), this);
    m_fileName->setObjectName("fileName");
    m_fileName->setMaxLength(static_cast<int>(ExportSettings::kFileNameLength));
    m_fileName->setMinimumWidth(m_fileName->fontMetrics().averageCharWidth() * 40);
    SetHelp(m_fileName, kHelpFileName);
    auto* browse = new QPushButton(tr("..."), group);
    browse->setObjectName("browse");
    browse->setAutoDefault(false);
    SetHelp(browse, kHelpBrowse);
    connect(browse, &QPushButton::clicked, this, &TExportDialog::Browse);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_fileName, 1);
    layout->addWidget(browse);
    return group;
}

// The edit holds what the settings keep: at most kRangeLength characters.
QGroupBox* TExportDialog::MakeRangeGroup()
{
    auto* group = new QGroupBox(tr("Data &range, full width"), this);
    m_range->setObjectName("range");
    m_halfRange->setObjectName("halfRange");
    connect(m_range, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_halfRange->setText(HalfRangeText(text)); });
    m_halfRange->setText(HalfRangeText(m_range->text()));
    m_range->setMaxLength(static_cast<int>(ExportSettings::kRangeLength));
    m_range->setValidator(new TDoubleRangeValidator(Limits::kExportRange, m_range));
    m_range->installEventFilter(this);
    SetHelp(m_range, kHelpRange);
    QToolButton* up = MakeArrow(Qt::UpArrow, "rangeUp", group);
    QToolButton* down = MakeArrow(Qt::DownArrow, "rangeDown", group);
    connect(up, &QToolButton::clicked, this, [this] { StepRange(1); });
    connect(down, &QToolButton::clicked, this, [this] { StepRange(-1); });
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_range, 1);
    layout->addLayout(arrows);
    layout->addWidget(new QLabel(tr("\u00C5 in all"), group));
    layout->addWidget(m_halfRange);
    return group;
}

ExportSettings TExportDialog::Settings() const
{
    ExportSettings settings;
    settings.FileName = m_fileName->text().toStdString().substr(0, ExportSettings::kFileNameLength);
    settings.Range = m_range->text().toStdString().substr(0, ExportSettings::kRangeLength);
    settings.Both = m_both->isChecked() ? 1 : 0;
    settings.Summ = m_summation->isChecked() ? 1 : 0;
    settings.Data = m_data->isChecked() ? 1 : 0;
    settings.Peaks = m_peaks->isChecked() ? 1 : 0;
    return settings;
}

QString TExportDialog::SteppedRange(const QString& text, int tenths)
{
    double value = Limits::kExportRange.Adjusted(text.toStdString(), 0.1 * tenths);
    // Two significant digits of a smaller value need an exponent, which the field refuses.
    if (value < 1e-4) {
        value = 0.0;
    }
    return QString::fromStdString(FormatPointShown(value, 2));
}

QString TExportDialog::HalfRangeText(const QString& text)
{
    const auto width = ExportWriter::ParseRange(text.toStdString());
    if (!width) {
        return {};
    }
    return tr("(\u00B1 %1 \u00C5)").arg(QString::fromStdString(FormatPointShown(*width / 2, 2)));
}

void TExportDialog::StepRange(int tenths)
{
    m_range->setText(SteppedRange(m_range->text(), tenths));
}

bool TExportDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_range && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepRange(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Choosing a name writes nothing yet, so an existing file needs no confirmation here.
void TExportDialog::Browse()
{
    QFileDialog chooser(this, tr("Export data"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setNameFilters({tr("Text Files (*.txt)"), tr("All Files (*)")});
    chooser.setDefaultSuffix("txt");
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    if (!m_fileName->text().isEmpty()) {
        chooser.selectFile(m_fileName->text());
    }
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
        m_fileName->setText(chooser.selectedFiles().constFirst());
    }
}

void TExportDialog::accept()
{
    if (TDoubleRangeValidator::ConfirmValid(m_range)) {
        QDialog::accept();
    }
}
