#include "tools/WavelengthScale.h"

#include "database/WavelengthFormat.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kStoredVacuumLimit = 1850.0;  // Å; stored wavelengths below this are vacuum
constexpr double kNistAirLimit = 2000.0;       // Å; NIST gives air wavelengths from here up

double ToAngstrom(double value, WavelengthUnit unit)
{
    switch (unit) {
        case WavelengthUnit::kAngstrom:
            return value;
        case WavelengthUnit::kNanometre:
            return value * 10.0;
        case WavelengthUnit::kMicrometre:
            return value * 1e4;
        case WavelengthUnit::kWaveNumber:
            return 1e8 / value;
    }
    return value;
}

}  // namespace

std::optional<int32_t> WavelengthScale::ToStored(double value) const
{
    if (!std::isfinite(value) || value <= 0.0) {
        return std::nullopt;
    }
    const double angstrom = ToAngstrom(value, unit);
    const bool vacuum = unit == WavelengthUnit::kWaveNumber || medium == Medium::kVacuum ||
                        (medium == Medium::kNistConvention && angstrom < kNistAirLimit);
    // An air value below 1850 Å is stored as it is: air does not transmit there and the
    // dispersion formula does not hold, so it is taken as the vacuum wavelength it nearly is.
    double stored = angstrom;
    if (vacuum) {
        const double air = VacuumToAir(angstrom);
        stored = air >= kStoredVacuumLimit ? air : angstrom;
    }
    const double thousandths = std::round(stored * 1000.0);
    if (!(thousandths >= 1.0 && thousandths <= std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(thousandths);
}
