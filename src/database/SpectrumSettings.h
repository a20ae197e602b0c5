#pragma once

#include <cmath>
#include <cstdint>

// The shape every line gets in the synthetic spectrum (the summation curve). Standard is the
// program's own fixed-width curve; the others are normalised to the line's intensity at their
// centre.
enum class LineShape : uint8_t { Standard = 0, Gaussian = 1, Lorentzian = 2, Voigt = 3 };

// How the lines of the tables become a synthetic spectrum: the instrument's profile, the
// source's radial velocity and, optionally, the plasma's excitation temperature and electron
// density. Zero switches resolution, temperature and density off.
struct SpectrumSettings {
    static constexpr double kLightSpeed = 299792.458;  // km/s
    static constexpr double kCmToEv = 1.239841984e-4;  // eV per cm⁻¹

    LineShape shape = LineShape::Standard;
    double fwhm = 0.1;            // Å: of a Gaussian or Lorentzian, the Gaussian part of a Voigt
    double lorentzianFwhm = 0.1;  // Å: the Lorentzian part of a Voigt
    double resolution = 0.0;      // R = λ/Δλ: the (Gaussian) FWHM is λ/R at each line
    double velocity = 0.0;        // km/s, positive away from the observer (to the red)
    double temperature = 0.0;     // eV; 0: the tables' intensities
    double density = 0.0;         // electrons per cm³; 0: no balance between stages

    bool operator==(const SpectrumSettings&) const = default;

    // λ'/λ for the velocity, relativistic: √((1 + β) / (1 − β)).
    double Shift() const
    {
        const double beta = velocity / kLightSpeed;
        return std::sqrt((1.0 + beta) / (1.0 - beta));
    }
    // The FWHM (Å) of the profile's Gaussian part, or of the whole Gaussian or Lorentzian, at a
    // line of `wavelength` Å.
    double FwhmAt(double wavelength) const
    {
        return resolution > 0.0 ? wavelength / resolution : fwhm;
    }
    bool UsesTemperature() const { return temperature > 0.0; }
};
