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

inline constexpr int kFamilySimulations = 100000;  // at most
// The simulation stops early once every method's answer is clear: its
// adjusted p-value's interval of kFamilyClearZ standard errors lies wholly
// on one side of 0.05 (or its exact p-value, which it never goes below, is
// already above it) and the standard error is at most kFamilyTargetError.
// Histories are added in rounds, the first of kFamilyFirstRound, each half
// as many again as were simulated before; the histories are the same as in
// a full run, so a run that goes to the end gives the full run's figures.
inline constexpr int kFamilyFirstRound = 1000;
inline constexpr double kFamilyClearZ = 3.29;        // two-sided 0.1 %
inline constexpr double kFamilyTargetError = 0.013;  // shown as ±0.01
inline constexpr std::uint64_t kFamilySeed = 20260701;
// How the JSON names the adjustment.
inline constexpr const char* kFamilyMethodName = "max-|z| over simulated fair draws";

// Told (histories done, histories in all); returning false stops it.
using FamilyProgress = std::function<bool(int done, int total)>;

// Fills in familyPValue and familyPError of every method with tickets,
// familySimulations (those made), familyMaxSimulations and familySeed; the
// same seed gives the same figures whatever the threads.  Works on two
// threads.  `stopWhenClear` false simulates all `simulations`.  Returns
// false, leaving the result untouched, when the progress callback stopped it.
bool AddFamilyPValues(BacktestResult& result, int simulations = kFamilySimulations,
                      std::uint64_t seed = kFamilySeed, const FamilyProgress& progress = {},
                      bool stopWhenClear = true);
