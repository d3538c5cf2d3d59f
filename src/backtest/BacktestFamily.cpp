#include "backtest/BacktestFamily.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "core/FairDraws.h"
#include "core/MonteCarloError.h"
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

namespace {

constexpr double kTieTolerance = 1e-9;

// A method's adjusted p-value from the first n histories: the simulated
// share of histories at least as extreme as its own |z| (with the observed
// history counted), never below its exact p-value, and the standard error
// of the simulated share (NaN when the exact p-value is what stands).
struct FamilyFigure {
    double p = std::numeric_limits<double>::quiet_NaN();
    double error = std::numeric_limits<double>::quiet_NaN();
};

FamilyFigure FigureOf(const MethodScore& s, const std::vector<double>& largest, int n) {
    const double exact = s.ExactPValue();
    if (std::isnan(exact) || std::isnan(s.ZValue())) return {};
    const double z = std::fabs(s.ZValue()) * (1 - kTieTolerance);
    const auto beyond =
        std::count_if(largest.begin(), largest.begin() + n, [&](double x) { return x >= z; });
    const double simulated = static_cast<double>(1 + beyond) / static_cast<double>(1 + n);
    if (simulated <= exact) return {std::min(1.0, exact), std::numeric_limits<double>::quiet_NaN()};
    return {std::min(1.0, simulated), SimulatedShareError(beyond, n)};
}

bool IsClear(const FamilyFigure& f) {
    if (std::isnan(f.p) || std::isnan(f.error)) return true;
    return f.error <= kFamilyTargetError &&
           std::fabs(f.p - kSignificanceLevel) >= kFamilyClearZ * f.error;
}

}  // namespace

bool AddFamilyPValues(BacktestResult& result, int simulations, std::uint64_t seed,
                      const FamilyProgress& progress, bool stopWhenClear) {
    Tables tables{result, {}};
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        const MethodScore& s = result.methods[m];
        if (std::isnan(s.ZValue())) continue;
        tables.mean[m] = s.expectedMainMatches;
        tables.perDeviation[m] = 1 / std::sqrt(s.mainMatchVariance);
    }
    simulations = std::max(0, simulations);
    std::vector<double> largest(static_cast<std::size_t>(simulations));
    std::atomic<int> done{0};
    int made = 0;
    std::array<FamilyFigure, kBacktestMethodCount> figures{};
    while (made < simulations) {
        // The next round, in whole blocks, as a full run would make them.
        const int wanted = made == 0 ? kFamilyFirstRound : made + made / 2;
        const int upTo = stopWhenClear ? std::min(simulations, wanted) : simulations;
        const int firstBlock = made / kBlock;
        const int blocks = (upTo + kBlock - 1) / kBlock - firstBlock;
        const bool completed = ParallelFor(
            blocks,
            [&](int i) {
                const int b = firstBlock + i;
                const int first = b * kBlock;
                const int count = std::min(kBlock, simulations - first);
                SimulateBlock(tables, seed, b, count, largest.data() + first);
                done += count;
            },
            [&] { return !progress || progress(done, simulations); });
        if (!completed) return false;
        made = std::min(simulations, (firstBlock + blocks) * kBlock);
        bool clear = true;
        for (int m = 0; m < kBacktestMethodCount; ++m) {
            figures[m] = FigureOf(result.methods[m], largest, made);
            clear = clear && IsClear(figures[m]);
        }
        if (clear && stopWhenClear) break;
    }
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        result.methods[m].familyPValue = figures[m].p;
        result.methods[m].familyPError = figures[m].error;
    }
    result.familySimulations = made;
    result.familyMaxSimulations = simulations;
    result.familySeed = seed;
    return true;
}
