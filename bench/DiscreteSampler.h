#pragma once

#include <cstdint>
#include <vector>

class Random;

// Draws an index with a probability proportional to its weight. Weights must not be negative
// and at least one must be positive.
class DiscreteSampler {
public:
    explicit DiscreteSampler(const std::vector<double>& weights);

    uint32_t Draw(Random& random) const;

private:
    std::vector<double> m_cumulative;  // rising to 1
};
