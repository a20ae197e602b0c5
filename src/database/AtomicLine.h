#pragma once

#include <cmath>
#include <cstdint>
#include <string>

// The part of a line's data its emission at a temperature needs (Aki, the upper level's energy
// and weight), read without the texts.
struct AtomicEmission {
    double aki = NAN;          // s⁻¹
    double upperEnergy = NAN;  // cm⁻¹
    uint16_t upperWeight = 0;

    bool IsKnown() const
    {
        return aki > 0.0 && std::isfinite(aki) && std::isfinite(upperEnergy) && upperWeight > 0;
    }
};

// What a line list says about the transition behind one line: the transition probability, the
// two levels (energy, statistical weight, configuration and term) and how the wavelength was
// found. Numbers a list left out are NaN, weights 0, texts empty.
struct AtomicLine {
    double aki = NAN;          // s⁻¹
    double lowerEnergy = NAN;  // cm⁻¹
    double upperEnergy = NAN;  // cm⁻¹
    double uncertainty = NAN;  // of the wavelength, Å
    uint16_t lowerWeight = 0;  // g = 2J + 1
    uint16_t upperWeight = 0;
    bool ritz = false;  // the wavelength is the Ritz one, computed from the levels
    std::string lowerConfiguration, lowerTerm;
    std::string upperConfiguration, upperTerm;

    // Whether the list gave anything at all for this line.
    bool IsEmpty() const
    {
        return std::isnan(aki) && std::isnan(lowerEnergy) && std::isnan(upperEnergy) &&
               std::isnan(uncertainty) && lowerWeight == 0 && upperWeight == 0 && !ritz &&
               lowerConfiguration.empty() && lowerTerm.empty() && upperConfiguration.empty() &&
               upperTerm.empty();
    }
};

// One level of a spectrum: its energy (cm⁻¹) and statistical weight.
struct AtomicLevel {
    double energy = 0.0;
    uint16_t weight = 0;
    bool operator==(const AtomicLevel&) const = default;
    auto operator<=>(const AtomicLevel&) const = default;
};
