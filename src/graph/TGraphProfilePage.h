#pragma once

#include "graph/GraphSettings.h"

#include <QWidget>

class DoubleRange;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QRadioButton;
class TRangeEdit;

// The "Profile" page of the graph options: how the summation curve makes a synthetic spectrum,
// as the commands PROFILE, FWHM, RESOLUTION, VELOCITY, TEMPERATURE and DENSITY set it.
class TGraphProfilePage : public QWidget {
    Q_OBJECT

public:
    explicit TGraphProfilePage(QWidget* parent = nullptr);

    void Fill(const SpectrumSettings& spectrum);
    // The first enabled number field whose text its range refuses; nullptr when none.
    TRangeEdit* InvalidField() const;
    // Writes the page into `spectrum`; a number left as shown keeps its exact value.
    void Apply(SpectrumSettings& spectrum) const;

private:
    TRangeEdit* AddNumber(QFormLayout* form, const char* name, QWidget* label,
                          const DoubleRange& limit, int helpContext);
    void UpdateEnabled();

    QComboBox* m_shape;
    QRadioButton* m_byWidth;
    QRadioButton* m_byResolution;
    TRangeEdit* m_fwhm;
    QLabel* m_lorentzianLabel;
    TRangeEdit* m_lorentzianFwhm;
    TRangeEdit* m_resolution;
    TRangeEdit* m_velocity;
    QCheckBox* m_useTemperature;
    TRangeEdit* m_temperature;
    QCheckBox* m_useDensity;
    TRangeEdit* m_logDensity;
};
