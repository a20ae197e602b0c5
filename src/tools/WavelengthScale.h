#pragma once

#include <cstdint>
#include <optional>

// The medium a wavelength was given in. kNistConvention is what NIST and the lists derived from
// it use when nothing else is said: vacuum below 2000 Å, standard air from 2000 Å.
enum class Medium { kAir, kVacuum, kNistConvention };

// Wave numbers are always vacuum, whatever the medium says.
enum class WavelengthUnit { kAngstrom, kNanometre, kMicrometre, kWaveNumber };

// How the numbers of one wavelength column are to be read.
struct WavelengthScale {
    WavelengthUnit unit = WavelengthUnit::kAngstrom;
    Medium medium = Medium::kAir;

    // The stored form of `value`: 0.001 Å, rounded to the nearest, in air at and above 1850 Å
    // and in vacuum below (a vacuum value is stored converted when its air value is at least
    // 1850 Å). Empty when `value` is not a positive finite length or the result does not fit
    // in 32 bits.
    std::optional<int32_t> ToStored(double value) const;
};
