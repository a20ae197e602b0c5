#pragma once

// A peak found in a measured spectrum, in stored wavelengths (Å; air at and above 1850 Å,
// vacuum below, as the overlay's wavelengths are read) and the spectrum's own intensity units.
struct MeasuredPeak {
    double centre = 0.0;       // Å, fitted over the peak's core
    double uncertainty = 0.0;  // Å, one standard deviation of the centre
    double height = 0.0;       // above the continuum
    double width = 0.0;        // Å, full width at half maximum
    double continuum = 0.0;    // under the peak
    double signalToNoise = 0.0;

    bool operator==(const MeasuredPeak&) const = default;
};
