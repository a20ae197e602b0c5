#include "DiscreteSampler.h"

#include "Random.h"

#include <algorithm>
#include <numeric>

DiscreteSampler::DiscreteSampler(const std::vector<double>& weights) : m_cumulative(weights.size())
{
    std::partial_sum(weights.begin(), weights.end(), m_cumulative.begin());
    const double total = m_cumulative.back();
    for (double& value : m_cumulative) {
        value /= total;
    }
}

uint32_t DiscreteSampler::Draw(Random& random) const
{
    const double u = random.NextUnit();
    const auto found = std::upper_bound(m_cumulative.begin(), m_cumulative.end(), u);
    // Rounding may leave the last sum a hair under 1.
    const auto index = std::min<std::ptrdiff_t>(
        found - m_cumulative.begin(), static_cast<std::ptrdiff_t>(m_cumulative.size()) - 1);
    return static_cast<uint32_t>(index);
}
