#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Random;

// The wavelengths of a synthetic table, handed out in rising order: a density over 500 to
// 25000 Å with most lines between 2000 and 9000 Å, varying along the way, thinning into the
// vacuum ultraviolet and the infrared. The density is capped so that neighbouring lines stay
// about 1.1 milli-Å apart at least, which keeps same-wavelength neighbours for the caller to
// make on purpose; where the cap bites, the lines sit on consecutive milli-Å.
class WavelengthSequence {
public:
    static constexpr int32_t kLowest = 500'000;      // 0.001 Å
    static constexpr int32_t kHighest = 25'000'000;  // 0.001 Å

    // `lineCount` is the number of calls to Next() that will be made.
    explicit WavelengthSequence(uint64_t lineCount);

    // The next wavelength (0.001 Å), above the one before. Stratified: the i-th call lands in
    // the i-th of `lineCount` equal slices of the distribution, at a random place inside it.
    int32_t Next(Random& random);

private:
    std::vector<double> m_cumulative;  // expected lines below each 1 Å bin's lower edge
    uint64_t m_index = 0;
    size_t m_bin = 0;
    int32_t m_previous = kLowest - 1;
};
