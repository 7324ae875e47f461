#pragma once

// Summaries shared by the benches. Kept as header-only helpers: the benches
// are separate programs and link nothing of each other.

#include <algorithm>
#include <vector>

namespace bench {

// The median; the mean of the two middle values for an even count, 0 for none.
inline double mediana(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

} // namespace bench
