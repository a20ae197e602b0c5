#pragma once

#include "database/SpectrumSettings.h"

#include <map>
#include <vector>

// The profile of one line in the synthetic spectrum: a Gaussian, a Lorentzian or their
// convolution, the Voigt profile (from the Faddeeva function), each 1 at the line's centre, with
// the widths the settings give at the line's wavelength. A line adds nothing beyond its reach:
// 4 FWHM of its Gaussian part plus 16 FWHM of its Lorentzian part, where a Lorentzian has fallen
// below 1/1000 of its peak.
class LineProfile {
public:
    // `settings.shape` must not be Standard: that curve is the summation's own.
    explicit LineProfile(const SpectrumSettings& settings);

    // How far (Å) either side of a line at `wavelength` its profile is added.
    double Reach(double wavelength) const;
    // Adds `intensity` times the profile of a line centred at `centre` Å to `samples`, sample j
    // lying at origin + j·step Å.
    void Add(std::vector<double>& samples, double origin, double step, double centre,
             double intensity) const;

    // The FWHM of a Voigt profile from those of its parts (Olivero and Longbothum, 0.02 %).
    static double VoigtFwhm(double gaussian, double lorentzian);

private:
    struct Span {
        std::size_t first = 0;
        std::size_t last = 0;  // inclusive; first > last: nothing
    };
    static Span Samples(std::size_t count, double origin, double step, double centre, double reach);
    void AddGaussian(std::vector<double>& samples, double origin, double step, double centre,
                     double intensity, double fwhm) const;
    void AddLorentzian(std::vector<double>& samples, double origin, double step, double centre,
                       double intensity, double fwhm) const;
    void AddVoigt(std::vector<double>& samples, double origin, double step, double centre,
                  double intensity, double gaussian) const;
    const std::vector<double>& VoigtTable(double gaussian) const;

    SpectrumSettings m_settings;
    // Voigt shapes by the ratio of the Lorentzian to the Gaussian width (steps of 0.2 %), in
    // units of the Gaussian FWHM, built with the Faddeeva function when first needed.
    mutable std::map<int, std::vector<double>> m_voigtTables;
};
