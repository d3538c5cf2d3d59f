#include "backtest/BacktestFamily.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <vector>

#include "core/FairDraws.h"
#include "core/ParallelFor.h"

namespace {

// Histories are simulated in blocks, each with its own generator seeded from
// the seed and the block's index, so the figures do not depend on which
// thread ran which block.
constexpr int kBlock = 100;

struct Tables {
    const BacktestResult& result;
    // Per method, chance's mean total and one over its standard deviation;
    // no deviation for a method without tickets.
    std::array<double, kBacktestMethodCount> mean{};
    std::array<double, kBacktestMethodCount> perDeviation{};
};

// The largest |z| of the seven totals in each history of one block.
void SimulateBlock(const Tables& t, std::uint64_t seed, int block, int count, double* largest) {
    FairDraws fair(FairDraws::StreamSeed(seed, block));
    for (int h = 0; h < count; ++h) {
        std::array<int, kBacktestMethodCount> totals{};
        for (const auto& holding : t.result.drawHolding) {
            std::uint64_t set = fair.NextMainSet();
            std::uint64_t packed = 0;  // a method has a few rows: no byte overflows
            while (set != 0) {
                packed += holding[std::countr_zero(set)];
                set &= set - 1;
            }
            for (int m = 0; m < kBacktestMethodCount; ++m) {
                totals[m] += static_cast<int>((packed >> (8 * m)) & 0xff);
            }
        }
        double most = 0;
        for (int m = 0; m < kBacktestMethodCount; ++m) {
            most = std::max(most, std::fabs(totals[m] - t.mean[m]) * t.perDeviation[m]);
        }
        largest[h] = most;
    }
}

}  // namespace

bool AddFamilyPValues(BacktestResult& result, int simulations, std::uint64_t seed,
                      const FamilyProgress& progress) {
    Tables tables{result, {}};
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        const MethodScore& s = result.methods[m];
        if (std::isnan(s.ZValue())) continue;
        tables.mean[m] = s.expectedMainMatches;
        tables.perDeviation[m] = 1 / std::sqrt(s.mainMatchVariance);
    }
    std::vector<double> largest(static_cast<std::size_t>(std::max(0, simulations)));
    const int blocks = (simulations + kBlock - 1) / kBlock;
    std::atomic<int> done{0};
    const bool completed = ParallelFor(
        blocks,
        [&](int b) {
            const int first = b * kBlock;
            const int count = std::min(kBlock, simulations - first);
            SimulateBlock(tables, seed, b, count, largest.data() + first);
            done += count;
        },
        [&] { return !progress || progress(done, simulations); });
    if (!completed) return false;

    std::sort(largest.begin(), largest.end());
    constexpr double kTieTolerance = 1e-9;
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        MethodScore& s = result.methods[m];
        const double exact = s.ExactPValue();
        if (std::isnan(exact) || std::isnan(s.ZValue())) continue;
        const auto below = std::lower_bound(largest.begin(), largest.end(),
                                            std::fabs(s.ZValue()) * (1 - kTieTolerance));
        const double adjusted =
            static_cast<double>(1 + (largest.end() - below)) / static_cast<double>(1 + simulations);
        // Never below the method's own exact p-value, which it adjusts.
        s.familyPValue = std::min(1.0, std::max(adjusted, exact));
    }
    result.familySimulations = simulations;
    result.familySeed = seed;
    return true;
}
