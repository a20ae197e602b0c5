#pragma once

#include "database/SpectrumSettings.h"

#include <cstdint>
#include <map>
#include <utility>

class TableArray;
struct DisplayWaveData;

// What one table line puts into the synthetic spectrum: where it lies for the source's
// velocity, and how strong it is.
//
// With a temperature set, a line whose table gives its atomic data has the intensity
//     f · gk·Aki·exp(−Ek/kT) / (U(T)·λ)      (Aki in s⁻¹, λ in Å, then × ratio × scale)
// where U is its spectrum's partition function over the levels the open tables know for it,
// and f is 1, or with an electron density set, the share of its element in its stage (I or II)
// by the Saha equation with the first ionisation energy of the element. Stages above II keep
// f = 1. Other lines keep their tables' intensities.
class LineEmission {
public:
    // `tables` must outlive this object; their atomic data are read as lines are asked for.
    LineEmission(const SpectrumSettings& settings, const TableArray& tables);

    const SpectrumSettings& Settings() const { return m_settings; }
    // λ'/λ for the velocity.
    double Shift() const { return m_shift; }

    struct Strength {
        double intensity = 0.0;  // linear, with the source's scale and the element ratio
        bool computed = false;   // from the atomic data at the temperature
    };
    // The strength of `line` (its `ratio` as the views use it).
    Strength Intensity(const DisplayWaveData& line) const;

private:
    double Partition(uint8_t element, uint8_t stage) const;
    double StageShare(const DisplayWaveData& line) const;

    SpectrumSettings m_settings;
    const TableArray& m_tables;
    double m_shift = 1.0;
    mutable std::map<std::pair<uint8_t, uint8_t>, double> m_partitions;
    mutable std::map<uint8_t, double> m_ionisedShares;  // by element code
};
