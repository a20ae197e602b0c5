#pragma once

#include "database/SpectrumSettings.h"

#include <cstddef>
#include <string>

// The status bar's account of the synthetic spectrum: the profile and its width, the velocity
// and the temperature (with the density) while they are set, and how many lines in view kept
// their tables' intensities for want of atomic data. Empty for the plain summation.
class SpectrumStatus {
public:
    static std::string Text(const SpectrumSettings& spectrum, std::size_t linesWithoutData);
};
