#pragma once

#include <cmath>
#include <cstdint>

// The standard error of a simulated p-value, a share of `beyond` in `n`
// histories: the binomial error taken at (beyond + 1) / (n + 2), so that it
// does not vanish when no history, or every one, lies beyond.
inline double SimulatedShareError(std::int64_t beyond, int n) {
    const double shrunk = static_cast<double>(1 + beyond) / static_cast<double>(2 + n);
    return std::sqrt(shrunk * (1 - shrunk) / n);
}
