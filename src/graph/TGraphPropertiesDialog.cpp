#include "graph/TGraphPropertiesDialog.h"

#include "framework/Limits.h"
#include "framework/TRangeEdit.h"

#include <algorithm>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Help contexts in the page's control order.
constexpr int kRangeHelp = 75;
constexpr int kRangeStepHelp = 76;
constexpr int kLineWidthHelp = 77;
constexpr int kHeightHelp = 78;
constexpr int kHeightChangeHelp = 79;
constexpr int kSummationHelp = 80;  // the three radios from here
constexpr int kDisplayOverlayHelp = 83;
constexpr int kTreatOrderAsRatioHelp = 84;
constexpr int kOrderHelp = 85;  // the five orders from here
constexpr int kOverlayStyleHelp = 111;
constexpr int kOverlayOnLineScaleHelp = 112;
constexpr int kFitHeightHelp = 113;

const char* const kSummationTexts[] = {QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Don't display"),
                                       QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Display"),
                                       QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Display only")};
const char* const kSummationNames[] = {"summationOff", "summationOn", "summationOnly"};
const char* const kOrderTexts[] = {QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "First"),
                                   QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Second"),
                                   QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Third"),
                                   QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Fourth"),
                                   QT_TRANSLATE_NOOP("TGraphPropertiesDialog", "Fifth")};

void SetHelp(QWidget* control, const char* name, int helpContext)
{
    control->setObjectName(name);
    control->setProperty("helpContext", helpContext);
}

}  // namespace

TGraphPropertiesDialog::TGraphPropertiesDialog(QWidget* parent) : QWidget(parent)
{
    auto* numbers = new QFormLayout;
    m_range = AddNumber(numbers, "range", tr("Range"), Limits::kGraphRange, kRangeHelp);
    m_rangeStep = AddNumber(numbers, "rangeStep", tr("Change"), Limits::kRangeStep, kRangeStepHelp);
    m_lineWidth =
        AddNumber(numbers, "lineWidth", tr("Line Width"), Limits::kLineWidth, kLineWidthHelp);
    m_height = AddNumber(numbers, "height", tr("Height"), Limits::kGraphHeight, kHeightHelp);
    m_heightChange = AddNumber(numbers, "heightChange", tr("% Change"), Limits::kHeightChange,
                               kHeightChangeHelp);

    m_displayOverlay = new QCheckBox(tr("Display overlay"), this);
    SetHelp(m_displayOverlay, "displayOverlay", kDisplayOverlayHelp);
    m_treatOrderAsRatio = new QCheckBox(tr("Treat order as ratio"), this);
    SetHelp(m_treatOrderAsRatio, "treatOrderAsRatio", kTreatOrderAsRatioHelp);
    m_fitHeight = new QCheckBox(tr("Fit height automatically"), this);
    SetHelp(m_fitHeight, "fitHeight", kFitHeightHelp);
    numbers->addRow(QString(), m_fitHeight);
    m_overlayStyle = new QComboBox(this);
    m_overlayStyle->addItems({tr("automatic"), tr("curve"), tr("sticks")});
    SetHelp(m_overlayStyle, "overlayStyle", kOverlayStyleHelp);
    numbers->addRow(tr("Draw overlay as:"), m_overlayStyle);
    m_overlayOnLineScale = new QCheckBox(tr("Overlay on the lines' scale"), this);
    SetHelp(m_overlayOnLineScale, "overlayOnLineScale", kOverlayOnLineScaleHelp);
    numbers->addRow(QString(), m_overlayOnLineScale);

    auto* right = new QVBoxLayout;
    right->addWidget(MakeSummationGroup());
    right->addWidget(m_displayOverlay);
    right->addWidget(m_treatOrderAsRatio);
    right->addWidget(MakeOrderGroup());
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(numbers);
    layout->addLayout(right);
}

TRangeEdit* TGraphPropertiesDialog::AddNumber(QFormLayout* form, const char* name,
                                              const QString& label, const DoubleRange& limit,
                                              int helpContext)
{
    auto* edit = new TRangeEdit(limit, kTextLimit, this);
    SetHelp(edit, name, helpContext);
    form->addRow(label, edit);
    return edit;
}

QWidget* TGraphPropertiesDialog::MakeSummationGroup()
{
    auto* group = new QGroupBox(tr("Summation"), this);
    auto* layout = new QVBoxLayout(group);
    for (std::size_t mode = 0; mode < m_summation.size(); ++mode) {
        m_summation[mode] = new QRadioButton(tr(kSummationTexts[mode]), group);
        SetHelp(m_summation[mode], kSummationNames[mode], kSummationHelp + static_cast<int>(mode));
        layout->addWidget(m_summation[mode]);
    }
    return group;
}

QWidget* TGraphPropertiesDialog::MakeOrderGroup()
{
    auto* group = new QGroupBox(tr("Orders"), this);
    auto* layout = new QVBoxLayout(group);
    for (std::size_t order = 0; order < m_orders.size(); ++order) {
        m_orders[order] = new QCheckBox(tr(kOrderTexts[order]), group);
        const std::string name = "order" + std::to_string(order + 1);
        SetHelp(m_orders[order], name.c_str(), kOrderHelp + static_cast<int>(order));
        layout->addWidget(m_orders[order]);
    }
    return group;
}

void TGraphPropertiesDialog::Fill(const GraphSettings& settings)
{
    m_range->SetValue(settings.range);
    m_rangeStep->SetValue(settings.rangeStep);
    m_lineWidth->SetValue(settings.lineWidth);
    m_height->SetValue(settings.linearHeight);
    m_heightChange->SetValue((settings.heightFactor - 1.0) * 100.0);
    // The current mode, "Display only" too: otherwise an untouched OK would change it.
    const std::size_t mode = std::min<std::size_t>(settings.summationMode, m_summation.size() - 1);
    m_summation[mode]->setChecked(true);
    m_displayOverlay->setChecked(settings.displayOverlay);
    m_treatOrderAsRatio->setChecked(settings.treatOrderAsRatio);
    m_fitHeight->setChecked(settings.fitHeight);
    m_overlayStyle->setCurrentIndex(
        static_cast<int>(std::min<std::uint32_t>(settings.overlayStyle, 2)));
    m_overlayOnLineScale->setChecked(settings.overlayOnLineScale);
    for (std::size_t order = 0; order < m_orders.size(); ++order) {
        m_orders[order]->setChecked(settings.orderDisplayed[order]);
    }
}

TRangeEdit* TGraphPropertiesDialog::InvalidField() const
{
    for (TRangeEdit* edit : {m_range, m_rangeStep, m_lineWidth, m_height, m_heightChange}) {
        if (!edit->Range().IsValid(edit->text().toStdString())) {
            return edit;
        }
    }
    return nullptr;
}

void TGraphPropertiesDialog::Apply(GraphSettings& settings) const
{
    settings.range = m_range->Value();
    settings.rangeStep = m_rangeStep->Value();
    settings.lineWidth = m_lineWidth->Value();
    settings.linearHeight = m_height->Value();
    // Per cent to factor and back need not give the same double: an untouched field keeps it.
    if (!m_heightChange->Kept()) {
        settings.heightFactor = m_heightChange->Value() * 0.01 + 1.0;
    }
    for (std::size_t mode = 0; mode < m_summation.size(); ++mode) {
        if (m_summation[mode]->isChecked()) {
            settings.summationMode = static_cast<std::uint32_t>(mode);
        }
    }
    settings.displayOverlay = m_displayOverlay->isChecked();
    settings.treatOrderAsRatio = m_treatOrderAsRatio->isChecked();
    // A height typed here is meant to stay: it ends the automatic fit.
    settings.fitHeight = m_fitHeight->isChecked() && m_height->Kept();
    settings.overlayStyle = static_cast<std::uint32_t>(m_overlayStyle->currentIndex());
    settings.overlayOnLineScale = m_overlayOnLineScale->isChecked();
    for (std::size_t order = 0; order < m_orders.size(); ++order) {
        settings.orderDisplayed[order] = m_orders[order]->isChecked();
    }
}
