#pragma once

#include <cstdint>
#include <functional>

#include "backtest/Backtest.h"

// Seven methods tested at once find a "significant" one by chance far more
// often than one time in twenty.  The family adjustment is the max-|z|
// test: it replays `simulations` fair histories of the scored draws against
// the same rows, takes in each the largest |z| of the seven totals, and
// sets each method's familyPValue to (1 + histories whose largest |z| is at
// least its own) / (1 + simulations), never below its exact p-value.  The
// rows stay as they were: a draw is independent of the rows predicted from
// the draws before it, so this is the methods' joint law under chance, with
// their shared numbers (their null covariance) counted as they are, and
// with the exact discrete law of each total rather than a normal one.

inline constexpr int kFamilySimulations = 100000;
inline constexpr std::uint64_t kFamilySeed = 20260701;
// How the JSON names the adjustment.
inline constexpr const char* kFamilyMethodName = "max-|z| over simulated fair draws";

// Told (histories done, histories in all); returning false stops it.
using FamilyProgress = std::function<bool(int done, int total)>;

// Fills in familyPValue of every method with tickets, familySimulations and
// familySeed; the same seed gives the same figures whatever the threads.
// Works on two threads.  Returns false, leaving the result untouched, when
// the progress callback stopped it.
bool AddFamilyPValues(BacktestResult& result, int simulations = kFamilySimulations,
                      std::uint64_t seed = kFamilySeed, const FamilyProgress& progress = {});
