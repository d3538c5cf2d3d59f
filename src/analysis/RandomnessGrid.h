#pragma once

#include <ostream>

#include "analysis/RandomnessAnalysis.h"
#include "core/ResultGrid.h"

// The grid's name in dumps and the window's name.
inline constexpr const char* kRandomnessName = "乱数性の検定";

// Row 1 the draws tested and the simulation, row 2 the headings, one row
// per test (name, what the statistic is, the statistic, p, Holm's p, the
// verdict), and the conclusion last.  Replaces whatever the grid held.
void WriteRandomnessGrid(const RandomnessResult& result, ResultGrid& grid);

// The result as one JSON object: from, to, draws, simulations, seed,
// familyMethod ("Holm"), conclusion and per test name, method, statistic,
// pValue, holmPValue, verdict and bars (label, observed, expected).
void WriteRandomnessJson(std::ostream& out, const RandomnessResult& result);
