#include "database/WavelengthFormat.h"

#include "database/DisplaySettings.h"
#include "database/WaveData.h"
#include "framework/NumberFormat.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kVacuumLimit = 1850.0;  // Å; stored wavelengths below this are in vacuum

// Refractive index of standard air at vacuum wave number sigma (µm⁻¹).
double AirIndex(double sigma)
{
    const double sigma2 = std::pow(sigma, 2.0);
    return 1.0 + 1e-8 * ((8342.13 + 2406030.0 / (130.0 - sigma2)) + 15997.0 / (38.9 - sigma2));
}

// Multipliers that move the point of a wavelength in Å for 0 to 4 decimals, and back.
constexpr double kShowShift[] = {1000.0, 100.0, 10.0, 1.0, 0.1};
constexpr double kTypedShift[] = {0.001, 0.01, 0.1, 1.0, 10.0};

}  // namespace

double AirToVacuum(double angstrom)
{
    if (angstrom < kVacuumLimit) {
        return angstrom;
    }
    return angstrom * AirIndex(1.0 / (angstrom * 0.0001));
}

double VacuumToAir(double angstrom)
{
    if (angstrom <= kVacuumLimit) {
        return angstrom;
    }
    return angstrom / AirIndex(10000.0 / angstrom);
}

double DisplayValue(double angstrom, const DisplaySettings& settings)
{
    if (settings.unitMode == kUnitWaveNumber || settings.unitMode == kUnitVacuum) {
        angstrom = AirToVacuum(angstrom);
    }
    if (settings.unitMode == kUnitWaveNumber) {
        return 1.0 / (1e-8 * angstrom);
    }
    const int decimals = settings.decimals;
    return decimals >= 0 && decimals <= 4 ? angstrom * kShowShift[decimals] : angstrom;
}

std::string FormatWavelength(const WaveData& line, const DisplaySettings& settings)
{
    const double angstrom =
        static_cast<double>(static_cast<long double>(line.record.wavelength) * 0.001L);
    if (settings.unitMode == kUnitWaveNumber) {
        return FormatFixedPoint(DisplayValue(angstrom, settings), 1);
    }
    if (settings.decimals < 0 || settings.decimals > 4) {
        return {};
    }
    return FormatFixed(DisplayValue(angstrom, settings), settings.decimals);
}

std::string FormatWavelength(double angstrom, const DisplaySettings& settings)
{
    WaveData line;
    line.record.wavelength = static_cast<int32_t>(std::lround(angstrom * 1000.0));
    return FormatWavelength(line, settings);
}

std::optional<int32_t> DisplayValueToWavelength(const DisplaySettings& settings, double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (settings.unitMode == kUnitWaveNumber) {
        // No wavelength has a wave number of zero or below; 1e8 / 0 would read as the longest.
        if (value <= 0.0) {
            return std::nullopt;
        }
        value = VacuumToAir(1e8 / value);
    } else {
        const int decimals = settings.decimals;
        value *= decimals >= 0 && decimals <= 4 ? kTypedShift[decimals] : 1.0;
        if (settings.unitMode == kUnitVacuum) {
            value = VacuumToAir(value);
        }
    }
    // Rounded, not truncated: 396.1527 nm is 3961526.9999999995 in binary arithmetic.
    const double thousandths = std::round(value * 1000.0);
    if (std::isnan(thousandths)) {
        return std::nullopt;
    }
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::fmin(std::fmax(thousandths, kMin), kMax));
}

std::string DisplayUnit(const DisplaySettings& settings)
{
    if (settings.unitMode == kUnitWaveNumber) {
        return "cm\u207B\u00B9";
    }
    switch (settings.decimals) {
        case 4:
            return "nm";
        case 2:
            return "0.1 \u00C5";
        case 1:
            return "0.01 \u00C5";
        case 0:
            return "0.001 \u00C5";
        default:
            return "\u00C5";
    }
}

std::string WavelengthUnitSuffix(int decimals)
{
    if (decimals == 3) {
        return " \u00C5";
    }
    if (decimals == 4) {
        return " nm";
    }
    return {};
}
