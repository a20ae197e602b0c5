#pragma once

#include <cstdint>

// A small deterministic generator (xoshiro256**, seeded through splitmix64): the same seed gives
// the same numbers on every platform and library, unlike the standard distributions.
class Random {
public:
    explicit Random(uint64_t seed);

    uint64_t Next();
    // Uniform in [0, 1).
    double NextUnit();
    // Uniform in [0, bound); 0 when `bound` is 0.
    uint32_t NextBelow(uint32_t bound);

private:
    uint64_t m_state[4];
};
