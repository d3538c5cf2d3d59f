#pragma once

#include <ostream>

#include "backtest/Backtest.h"

// The back-test as one JSON object: from, to, draws and, per method, name,
// tickets, meanMatches, expectedMeanMatches, matchCounts and
// expectedMatchShares (0 … 7 main matches), tiers and expectedTiers ("1等" …
// "6等"), pValue (normal approximation), exactPValue, familyPValue and
// verdict; at the top also summary and, when the family adjustment ran,
// familyMethod, simulations and seed.  A figure that does not exist (a method with
// no ticket) is null.
void WriteBacktestJson(std::ostream& out, const BacktestResult& result);
