#include "Random.h"

namespace {

uint64_t SplitMix(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

uint64_t RotateLeft(uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

}  // namespace

Random::Random(uint64_t seed)
{
    for (uint64_t& word : m_state) {
        word = SplitMix(seed);
    }
}

uint64_t Random::Next()
{
    const uint64_t result = RotateLeft(m_state[1] * 5, 7) * 9;
    const uint64_t shifted = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= shifted;
    m_state[3] = RotateLeft(m_state[3], 45);
    return result;
}

double Random::NextUnit()
{
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

uint32_t Random::NextBelow(uint32_t bound)
{
    // Multiply-shift: the bias is below 2^-32, far under anything a benchmark can notice.
    return static_cast<uint32_t>(((Next() >> 32) * bound) >> 32);
}
