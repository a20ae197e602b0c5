#pragma once

// The units in which wavelengths are shown and typed.
enum UnitMode : int {
    kUnitWaveNumber = 0,  // cm⁻¹, from the vacuum wavelength
    kUnitAir = 1,         // as stored
    kUnitVacuum = 2,
};
