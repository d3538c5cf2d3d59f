#pragma once

#include <cstdint>

// How a draw's prize money is shared, and what each tier pays in theory.
// 45 % of sales go to prizes, and each tier gets its share of that (the
// shares changed from draw 613 on); a tier's winners share its part, so
// one winning unit of tier t is worth, in theory,
//   price × 45 % × share(t) × C(37, 7) / (the tickets that win t),
// rounded down to 100 yen, whatever the sales.

inline constexpr int kPrizePayoutPercent = 45;
// Shares are counted in 1/100,000 of the prize money (50364 = 50.364 %).
inline constexpr int kShareScale = 100'000;
// The first draw of the shares in force today.
inline constexpr int kSharesChangedAtDraw = 613;

// The share of tier 1–6 at the draw; 0 for another tier.
int TierShare(int tier, int drawNumber);

// How many of the C(37, 7) tickets of seven numbers win tier 1–6, counted
// exactly from the match counts that give the tier (1, 14, 196, 9,135,
// 142,100 and 242,550); 0 for another tier.
std::int64_t TierCombinations(int tier);

// The theoretical yen of one winning unit of tier 1–6 at the draw, rounded
// down to 100 yen, in whole-number arithmetic; 0 for another tier.
std::int64_t TheoreticalPrize(int tier, int drawNumber);
