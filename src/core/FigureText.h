#pragma once

#include <cstdint>
#include <string>

// Figures as the grids, reports and messages write them.

// "10,295,472": digits grouped by three with commas.
std::string GroupedNumber(std::uint64_t value);

// "p = 0.034" with two significant digits (three where two would round a p
// below `level` up to the level itself), or "p < 0.001".
std::string PValueText(double p, double level);

// "（±0.009）": a simulated p-value's standard error to one significant
// digit; empty for NaN.
std::string SimulationErrorText(double error);

// "第N回～第M回", and with a count "第N回～第M回のK回".
std::string DrawSpanText(int from, int to);
std::string DrawSpanText(int from, int to, int draws);
