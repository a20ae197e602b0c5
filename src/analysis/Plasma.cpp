#include "analysis/Plasma.h"

#include "database/SpectrumSettings.h"

#include <cmath>
#include <numbers>

namespace {

// CODATA 2018, SI.
constexpr double kElectronMass = 9.1093837015e-31;  // kg
constexpr double kPlanck = 6.62607015e-34;          // J s
constexpr double kElectronVolt = 1.602176634e-19;   // J

// 2·(2π·mₑ·kT/h²)^(3/2) in cm⁻³ at kT = 1 eV: the Saha equation's factor, which grows as
// kT^(3/2).
double SahaFactorAtOneEv()
{
    const double perSquareMetre =
        2.0 * std::numbers::pi * kElectronMass * kElectronVolt / (kPlanck * kPlanck);
    return 2.0 * std::pow(perSquareMetre, 1.5) * 1e-6;
}

}  // namespace

double Plasma::BoltzmannFactor(double energy, double kT)
{
    return std::exp(-energy * SpectrumSettings::kCmToEv / kT);
}

double Plasma::PartitionFunction(const std::vector<AtomicLevel>& levels, double kT)
{
    double sum = 0.0;
    bool ground = false;
    for (const AtomicLevel& level : levels) {
        sum += level.weight * BoltzmannFactor(level.energy, kT);
        ground = ground || level.energy <= 0.0;
    }
    return ground ? sum : sum + 1.0;
}

double Plasma::IonisationRatio(double kT, double density, double ionisation,
                               double neutralPartition, double ionPartition)
{
    static const double factor = SahaFactorAtOneEv();
    return factor * std::pow(kT, 1.5) * (ionPartition / neutralPartition) *
           std::exp(-ionisation / kT) / density;
}
