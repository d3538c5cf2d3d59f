#pragma once

#include <cstdint>
#include <span>

#include "core/DrawPrizes.h"
#include "core/DrawRecord.h"

// How one row of predicted numbers did against one draw.
struct TicketScore {
    int mainMatches = 0;   // of the seven main numbers
    int bonusMatches = 0;  // of the two bonus numbers
    int tier = 0;          // prize tier 1–6, 0 for none (and for a row of fewer than seven)
};

inline constexpr int kTicketSize = kMainCount;

// The Loto 7 prize tier of a ticket of seven numbers: 1 for seven main
// matches, 2 for six and a bonus number, 3 for six, 4 for five, 5 for four,
// 6 for three and a bonus number; 0 for anything else.
int PrizeTier(int mainMatches, int bonusMatches);

// The numbers 1 … 37 among the given ones, as bits 1 … 37; other values and
// repeats add nothing.
std::uint64_t NumberSet(std::span<const int> numbers);

// Scores the distinct lottery numbers of a row against a complete draw.  A
// row of fewer than seven such numbers is no ticket one can buy: it is
// scored by its matches only and wins no tier.
TicketScore ScoreTicket(std::span<const int> numbers, const DrawRecord& draw);
