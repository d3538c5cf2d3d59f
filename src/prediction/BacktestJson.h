#pragma once

#include <ostream>

#include "prediction/Backtest.h"

// The back-test as one JSON object: from, to, draws and, per method, name,
// tickets, meanMatches, expectedMeanMatches, matchCounts and
// expectedMatchShares (0 … 7 main matches), tiers and expectedTiers ("1等" …
// "6等"), pValue and verdict.  A figure that does not exist (a method with
// no ticket) is null.
void WriteBacktestJson(std::ostream& out, const BacktestResult& result);
