#pragma once

#include "DiscreteSampler.h"
#include "Random.h"
#include "WavelengthSequence.h"
#include "database/LineRecord.h"

#include <cstdint>

// Makes the records of a synthetic table, in wavelength order, one per call: elements skewed
// towards a few line-rich ones, valences mostly I and II, intensity codes 0 to 60 with many low
// ones. About 5% of the lines share their wavelength with a neighbour: mostly a different
// element or valence, sometimes an exact copy. The same seed gives the same table.
class LineGenerator {
public:
    LineGenerator(uint64_t lineCount, uint64_t seed);

    LineRecord Next();

private:
    LineRecord FreshLine(int32_t wavelength);
    LineRecord OtherLineAt(const LineRecord& neighbour);

    Random m_random;
    WavelengthSequence m_wavelengths;
    DiscreteSampler m_elements;
    DiscreteSampler m_valences;
    LineRecord m_previous;
    bool m_started = false;
};
