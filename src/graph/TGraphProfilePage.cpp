#include "graph/TGraphProfilePage.h"

#include "framework/Limits.h"
#include "framework/TRangeEdit.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

// Help contexts in the page's control order.
constexpr int kShapeHelp = 120;
constexpr int kFwhmHelp = 121;
constexpr int kLorentzianHelp = 122;
constexpr int kResolutionHelp = 123;
constexpr int kVelocityHelp = 124;
constexpr int kTemperatureHelp = 125;
constexpr int kDensityHelp = 126;
constexpr int kTextLimit = 19;

void SetHelp(QWidget* control, const char* name, int helpContext)
{
    control->setObjectName(name);
    control->setProperty("helpContext", helpContext);
}

// A value to show in a field that is off: the setting, or the field's default when it is 0.
double Shown(double value, double whenOff)
{
    return value > 0.0 ? value : whenOff;
}

}  // namespace

TGraphProfilePage::TGraphProfilePage(QWidget* parent)
    : QWidget(parent),
      m_shape(new QComboBox(this)),
      m_byWidth(new QRadioButton(tr("&FWHM (Å):"), this)),
      m_byResolution(new QRadioButton(tr("&Resolving power λ/Δλ:"), this)),
      m_useTemperature(new QCheckBox(tr("&Temperature (eV):"), this)),
      m_useDensity(new QCheckBox(tr("&Electron density, log₁₀ cm⁻³:"), this))
{
    auto* form = new QFormLayout(this);
    m_shape->addItems({tr("Standard"), tr("Gaussian"), tr("Lorentzian"), tr("Voigt")});
    m_shape->setToolTip(tr("The shape of every line in the summation curve"));
    SetHelp(m_shape, "profileShape", kShapeHelp);
    form->addRow(tr("&Profile:"), m_shape);
    m_fwhm = AddNumber(form, "fwhm", m_byWidth, Limits::kProfileWidth, kFwhmHelp);
    m_lorentzianLabel = new QLabel(tr("&Lorentzian FWHM of a Voigt (Å):"), this);
    m_lorentzianFwhm = AddNumber(form, "lorentzianFwhm", m_lorentzianLabel, Limits::kProfileWidth,
                                 kLorentzianHelp);
    m_resolution =
        AddNumber(form, "resolution", m_byResolution, Limits::kResolution, kResolutionHelp);
    m_velocity = AddNumber(form, "velocity", new QLabel(tr("Radial &velocity (km/s):")),
                           Limits::kVelocity, kVelocityHelp);
    m_temperature =
        AddNumber(form, "temperature", m_useTemperature, Limits::kTemperature, kTemperatureHelp);
    m_logDensity = AddNumber(form, "density", m_useDensity, Limits::kLogDensity, kDensityHelp);
    m_byWidth->setToolTip(tr("The same width in Å for every line"));
    m_byResolution->setToolTip(tr("Each line's FWHM is its wavelength divided by this"));
    m_useTemperature->setToolTip(
        tr("Intensities of a plasma at this temperature from the lines' atomic data"));
    m_useDensity->setToolTip(tr("Shares each element between stages I and II (Saha)"));
    for (QWidget* control : std::initializer_list<QWidget*>{m_byWidth, m_byResolution}) {
        connect(static_cast<QRadioButton*>(control), &QRadioButton::toggled, this,
                &TGraphProfilePage::UpdateEnabled);
    }
    connect(m_useTemperature, &QCheckBox::toggled, this, &TGraphProfilePage::UpdateEnabled);
    connect(m_useDensity, &QCheckBox::toggled, this, &TGraphProfilePage::UpdateEnabled);
    connect(m_shape, &QComboBox::currentIndexChanged, this, &TGraphProfilePage::UpdateEnabled);
}

TRangeEdit* TGraphProfilePage::AddNumber(QFormLayout* form, const char* name, QWidget* label,
                                         const DoubleRange& limit, int helpContext)
{
    auto* edit = new TRangeEdit(limit, kTextLimit, this);
    SetHelp(edit, name, helpContext);
    label->setProperty("helpContext", helpContext);
    if (auto* text = qobject_cast<QLabel*>(label)) {
        text->setBuddy(edit);
    }
    form->addRow(label, edit);
    return edit;
}

void TGraphProfilePage::UpdateEnabled()
{
    const bool physical = m_shape->currentIndex() != static_cast<int>(LineShape::Standard);
    const bool voigt = m_shape->currentIndex() == static_cast<int>(LineShape::Voigt);
    m_byWidth->setEnabled(physical);
    m_byResolution->setEnabled(physical);
    m_fwhm->setEnabled(physical && m_byWidth->isChecked());
    m_lorentzianFwhm->setEnabled(voigt);
    m_lorentzianLabel->setEnabled(voigt);
    m_resolution->setEnabled(physical && m_byResolution->isChecked());
    m_temperature->setEnabled(m_useTemperature->isChecked());
    m_useDensity->setEnabled(m_useTemperature->isChecked());
    m_logDensity->setEnabled(m_useTemperature->isChecked() && m_useDensity->isChecked());
}

void TGraphProfilePage::Fill(const SpectrumSettings& spectrum)
{
    m_shape->setCurrentIndex(static_cast<int>(spectrum.shape));
    m_fwhm->SetValue(spectrum.fwhm);
    m_lorentzianFwhm->SetValue(spectrum.lorentzianFwhm);
    m_resolution->SetValue(Shown(spectrum.resolution, 5000.0));
    (spectrum.resolution > 0.0 ? m_byResolution : m_byWidth)->setChecked(true);
    m_velocity->SetValue(spectrum.velocity);
    m_useTemperature->setChecked(spectrum.UsesTemperature());
    m_temperature->SetValue(Shown(spectrum.temperature, 1.0));
    m_useDensity->setChecked(spectrum.density > 0.0);
    m_logDensity->SetValue(std::log10(Shown(spectrum.density, 1e16)));
    UpdateEnabled();
}

TRangeEdit* TGraphProfilePage::InvalidField() const
{
    for (TRangeEdit* edit :
         {m_fwhm, m_lorentzianFwhm, m_resolution, m_velocity, m_temperature, m_logDensity}) {
        if (edit->isEnabled() && !edit->Range().IsValid(edit->text().toStdString())) {
            return edit;
        }
    }
    return nullptr;
}

void TGraphProfilePage::Apply(SpectrumSettings& spectrum) const
{
    spectrum.shape = static_cast<LineShape>(m_shape->currentIndex());
    const auto value = [](const TRangeEdit* edit, double& setting) {
        if (!edit->Kept()) {
            setting = edit->Value();
        }
    };
    value(m_fwhm, spectrum.fwhm);
    value(m_lorentzianFwhm, spectrum.lorentzianFwhm);
    value(m_velocity, spectrum.velocity);
    if (m_byResolution->isChecked()) {
        spectrum.resolution = m_resolution->Value();
    } else {
        spectrum.resolution = 0.0;
    }
    spectrum.temperature = m_useTemperature->isChecked() ? m_temperature->Value() : 0.0;
    const bool density = m_useTemperature->isChecked() && m_useDensity->isChecked();
    if (!density) {
        spectrum.density = 0.0;
    } else if (!m_logDensity->Kept() || !(spectrum.density > 0.0)) {
        spectrum.density = std::pow(10.0, m_logDensity->Value());
    }
}
