#pragma once

#include <string>

#include "backtest/Backtest.h"
#include "core/ResultGrid.h"

// The grid's name in dumps.
inline constexpr const char* kBacktestGridName = "予想の検証";

// Formats a figure with two significant digits, or one decimal from 1 up
// ("26.9", "0.60", "0.000065"); "0" for zero, "－" for NaN.
std::string FormatFigure(double value);

// The result table: row 1 the draws replayed, row 2 the headings, then one
// row per method: method, tickets, rows of seven, mean main matches and
// chance's mean, for 0 … 7 matches the tickets (share) and chance's share,
// for tiers 1–6 the count and chance's count, the p-value and the verdict.
// Replaces whatever the grid held.
void WriteBacktestGrid(const BacktestResult& result, ResultGrid& grid);
