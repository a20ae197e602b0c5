#pragma once

#include "database/UnitMode.h"

#include <cstdint>
#include <optional>
#include <string>

struct DisplaySettings;
struct WaveData;

// The one place where stored wavelengths (integers in 0.001 Å; air at and above 1850 Å, vacuum
// below) are converted to and from what the user sees.

// Air to vacuum by Edlén's dispersion formula; wavelengths below 1850 Å are returned unchanged.
double AirToVacuum(double angstrom);
// Vacuum to air, the formula evaluated at the vacuum wave number (no iteration); unchanged at
// or below 1850 Å.
double VacuumToAir(double angstrom);

// The number shown for a stored wavelength (Å; air at and above 1850 Å, vacuum below) in the
// units of `settings`, before rounding: Å or nm, shifted by the decimals, or cm⁻¹.
double DisplayValue(double angstrom, const DisplaySettings& settings);

// The wavelength text of a line in the units of `settings`: with `decimals` 0 to 4 digits after
// the point (3: Å, 4: nm, fewer: the same digits with the point moved); wave numbers always with
// one decimal. Empty for `decimals` outside 0 to 4 in the wavelength modes.
std::string FormatWavelength(const WaveData& line, const DisplaySettings& settings);

// The same for a wavelength in Å that is no table's record (a measured peak's centre), rounded
// to the stored 0.001 Å first.
std::string FormatWavelength(double angstrom, const DisplaySettings& settings);

// Reverses FormatWavelength for a typed number in the units of `settings`, rounding to 0.001 Å
// and limiting a finite result to the 32-bit range. A typed wave number is taken as shown,
// without the decimal shift, since wave numbers are always shown in cm⁻¹. Empty for a value that
// is not finite, and for a wave number of 0 or less.
std::optional<int32_t> DisplayValueToWavelength(const DisplaySettings& settings, double value);

// The unit the numbers shown are in, written out: "Å" and "nm" for 3 and 4 decimals, the
// shifted unit for fewer ("0.1 Å" for 2: 4358.335 Å shows as 43583.35), "cm⁻¹" for wave
// numbers.
std::string DisplayUnit(const DisplaySettings& settings);

// " Å" for 3 decimals, " nm" for 4, otherwise empty.
std::string WavelengthUnitSuffix(int decimals);
