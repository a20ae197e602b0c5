#pragma once

#include <cstdint>
#include <string>

class TableArray;
struct WaveData;

// The one place where stored wavelengths (integers in 0.001 Å; air at and above 1850 Å, vacuum
// below) are converted to and from what the user sees.

enum UnitMode : int {
    kUnitWaveNumber = 0,  // cm⁻¹, from the vacuum wavelength
    kUnitAir = 1,         // as stored
    kUnitVacuum = 2,
};

// Air to vacuum by Edlén's dispersion formula; wavelengths below 1850 Å are returned unchanged.
double AirToVacuum(double angstrom);
// Vacuum to air, the formula evaluated at the vacuum wave number (no iteration); unchanged at
// or below 1850 Å.
double VacuumToAir(double angstrom);

// The wavelength text of a line: with `decimals` 0 to 4 digits after the point (3: Å, 4: nm,
// fewer: the same digits with the point moved); wave numbers always with one decimal. Empty for
// `decimals` outside 0 to 4 in the wavelength modes.
std::string FormatWavelength(const WaveData& line, int unitMode, int decimals);

// Reverses FormatWavelength for a typed number in the current units of `tables`, rounding to
// 0.001 Å and limiting the result to the 32-bit range. A typed wave number is taken as shown,
// without the decimal shift, since wave numbers are always shown in cm⁻¹.
int32_t DisplayValueToWavelength(const TableArray& tables, double value);

// " Å" for 3 decimals, " nm" for 4, otherwise empty.
std::string WavelengthUnitSuffix(int decimals);
