#pragma once

#include <ostream>

#include "wheel/WheelReport.h"

// The report as one JSON object: numbers, keys, tickets, ticketCount,
// cost, the guarantee asked and its proof ("guarantee": t, m, holds, cases,
// missedCase), the verified table ("guaranteeTable": m, t, worstCase), the
// tier chances ("odds": per tier and "any": wheel, random, expectedWins;
// null when too large to compute) and, for a wheel the search made,
// lowerBound, lowerBoundName, greedyTickets, startCut (the greedy start
// ran out of time and was completed one ticket a case), seconds, seed,
// stopped.
void WriteWheelJson(std::ostream& out, const WheelReport& report);
