#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/DrawStore.h"
#include "filter/NumberFilter.h"

// The past draws as 絞り込み uses them: the draw the carry-over filter
// compares combinations with, the combinations that already won 1等, and how
// many past draws each filter would have kept.

// The seven main numbers of a complete draw as a set, when they are seven
// different numbers from 1 … 37 (a combination one could have bought).
std::optional<NumberMask> MainNumberSet(const DrawRecord& draw);
// The main numbers of a complete draw that lie in 1 … 37.
NumberMask MainNumbersInRange(const DrawRecord& draw);

struct FilterHistory {
    int latestDraw = 0;           // draw number of the latest complete draw; 0 for none
    NumberMask latest = 0;        // its main numbers
    std::vector<NumberMask> won;  // main numbers of every complete draw, sorted, unique

    // Combinations are compared with the latest draw and with every draw.
    FilterContext Context() const { return {latest, &won}; }
};
FilterHistory ReadFilterHistory(const DrawStore& draws);

// How many past draws pass every filter that is on, and each alone.
struct PastPassCounts {
    int draws = 0;  // complete draws of seven different main numbers 1 … 37
    int passing = 0;
    std::array<int, kFilterKindCount> alone{};
};

// Judges every such draw as it would have been judged before it was drawn:
// carry-over against the complete draw before it (none for the first),
// already-won against the draws before it.
PastPassCounts RatePastDraws(const DrawStore& draws, const FilterConditions& conditions);
