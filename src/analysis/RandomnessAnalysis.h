#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "analysis/RandomnessTally.h"
#include "core/DrawStore.h"

// 乱数性の検定: the nine tests over a range of stored draws, each with a
// p-value simulated from fair histories of the same length, Holm's
// adjustment over the nine and one conclusion.

inline constexpr int kRandomnessSimulations = 10000;
inline constexpr int kMinRandomnessSimulations = 10000;
inline constexpr int kMaxRandomnessSimulations = 1000000;
// A run stops simulating once every test's p-value is clear: its interval of
// kRandomnessClearZ standard errors holds none of the levels Holm's
// adjustment compares it with (0.05 / 9 … 0.05) and the error is at most
// kRandomnessTargetError.  Histories come in rounds, the first of
// kRandomnessFirstRound, each half as many again as before; they are the
// same as in a full run, so a run that goes to the end gives its figures.
inline constexpr int kRandomnessFirstRound = 1000;
inline constexpr double kRandomnessClearZ = 3.29;
inline constexpr double kRandomnessTargetError = 0.013;  // shown as ±0.01
inline constexpr std::uint64_t kRandomnessSeed = 20260702;
// The level each test is judged at, on its Holm-adjusted p-value.
inline constexpr double kRandomnessLevel = 0.05;

// The draw numbers of the range, both included.
struct RandomnessRange {
    int from = 0;
    int to = 0;
};

// The first and last complete draw; nullopt when fewer than two are held.
std::optional<RandomnessRange> WholeRandomnessRange(const DrawStore& draws);

// The complete draws of the range as number sets, in store order.
std::vector<DrawSets> RandomnessHistory(const DrawStore& draws, const RandomnessRange& range);

// The statistics of fair histories of `draws` draws, each sorted, per test.
struct RandomnessReference {
    int draws = 0;
    int simulations = 0;
    std::uint64_t seed = 0;
    std::array<std::vector<double>, kRandomnessTestCount> sorted;

    // (1 + fair histories whose statistic is at least this one) / (1 + simulations).
    double PValue(int test, double statistic) const;
};

// Told (histories done, histories in all); returning false stops the work.
using RandomnessProgress = std::function<bool(int done, int total)>;

// Simulates `simulations` fair histories of `draws` draws on two threads,
// in blocks whose generators are seeded from `seed` and the block, so the
// result does not depend on the threads.  nullopt when stopped.
std::optional<RandomnessReference> SimulateRandomness(int draws, int simulations,
                                                      std::uint64_t seed,
                                                      const RandomnessProgress& progress = {});

struct RandomnessOutcome {
    double statistic = 0;
    double pValue = 1;
    // The simulated p-value's standard error (NaN when none was computed).
    double pError = std::numeric_limits<double>::quiet_NaN();
    double holmPValue = 1;
    std::vector<ChartBar> bars;
};

struct RandomnessResult {
    RandomnessRange range;
    int draws = 0;
    int simulations = 0;     // the fair histories simulated
    int maxSimulations = 0;  // the most the run would have simulated
    std::uint64_t seed = 0;
    std::array<RandomnessOutcome, kRandomnessTestCount> tests;
};

// Holm's step-down adjustment of p-values for testing them together.
std::array<double, kRandomnessTestCount> HolmAdjust(
    const std::array<double, kRandomnessTestCount>& p);

// Every test of the history against a reference of its length.
RandomnessResult TestRandomness(const std::vector<DrawSets>& history,
                                const RandomnessReference& reference);

// The whole run: the draws of the range tested against at most
// `simulations` fair histories, fewer once every answer is clear (all of
// them when `stopWhenClear` is false), each p-value with its standard
// error; nullopt when the progress callback stopped it.
std::optional<RandomnessResult> RunRandomness(const DrawStore& draws, const RandomnessRange& range,
                                              int simulations, std::uint64_t seed,
                                              const RandomnessProgress& progress = {},
                                              bool stopWhenClear = true);

// One plain sentence: the draws agree with a fair draw, or which tests
// disagree and how strongly, on the Holm-adjusted p-values.
std::string RandomnessConclusion(const RandomnessResult& result);
// One sentence per test on its own adjusted p-value.
std::string RandomnessVerdict(const RandomnessOutcome& outcome);
