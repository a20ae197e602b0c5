#pragma once

#include "database/AtomicLine.h"

#include <vector>

// A plasma in local thermodynamic equilibrium: how its atoms share out over their levels
// (Boltzmann) and, at a given electron density, over the stages I and II (Saha).
class Plasma {
public:
    // Σ g·exp(−E/kT) over `levels`; `kT` in eV. Levels not given are left out, so this is the
    // partition function as far as the list knows it; but every atom has a ground level, so
    // levels without one at 0 cm⁻¹ (a list that stops short of the resonance lines) count it
    // with weight 1, or the sum would be far too small at low temperatures.
    static double PartitionFunction(const std::vector<AtomicLevel>& levels, double kT);

    // n(II)/n(I) at `kT` eV and `density` electrons per cm³ for an element whose first
    // ionisation energy is `ionisation` eV, from the partition functions of both stages.
    static double IonisationRatio(double kT, double density, double ionisation,
                                  double neutralPartition, double ionPartition);

    // exp(−E/kT) for a level `energy` cm⁻¹ above the ground.
    static double BoltzmannFactor(double energy, double kT);
};
