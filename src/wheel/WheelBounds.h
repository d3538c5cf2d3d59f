#pragma once

#include <cstdint>
#include <string>

#include "wheel/WheelDesign.h"

// A lower bound on the number of tickets of a wheel, and which bound it is.
struct WheelBound {
    std::uint64_t tickets = 0;
    std::string name;  // in Japanese, for the window and the command line
};

// The Schönheim bound of a covering of t-sets of v points by k-sets:
// ⌈v/k ⌈(v−1)/(k−1) … ⌈(v−t+1)/(k−t+1)⌉ … ⌉⌉.
std::uint64_t SchoenheimBound(int v, int k, int t);

// The counting bound of "t if m": every case must be covered, and one block
// covers Σ_{i≥t} C(k, i)·C(v−k, m−i) of the C(v, m) cases.
std::uint64_t CountingBound(int v, int k, int t, int m);

// The best of the bounds above that holds for the problem (the Schönheim
// bound only for coverings, m = t), over the chosen numbers less the keys
// with the keys in every ticket.
WheelBound LowerBound(const WheelProblem& problem);
