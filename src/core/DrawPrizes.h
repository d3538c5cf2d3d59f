#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The number of prize tiers of one draw (1等 … 6等).
inline constexpr int kPrizeTierCount = 6;

// What one tier of one draw paid: how many units won it, and the yen each
// winning unit was paid (0 when nobody won).
struct PrizeLine {
    std::int64_t winners = 0;
    std::int64_t amount = 0;

    bool operator==(const PrizeLine&) const = default;
};

// A draw's prize lines as far as they are known: each tier, the carry-over
// into the next draw and the draw's sales, each missing when unknown.
struct DrawPrizes {
    std::array<std::optional<PrizeLine>, kPrizeTierCount> tiers;
    std::optional<std::int64_t> carryOver;
    std::optional<std::int64_t> sales;

    bool Empty() const {
        for (const auto& tier : tiers)
            if (tier) return false;
        return !carryOver && !sales;
    }
    bool operator==(const DrawPrizes&) const = default;
};

// stored with every line known in pasted put over it.
inline DrawPrizes MergedPrizes(DrawPrizes stored, const DrawPrizes& pasted) {
    for (int t = 0; t < kPrizeTierCount; ++t)
        if (pasted.tiers[t]) stored.tiers[t] = pasted.tiers[t];
    if (pasted.carryOver) stored.carryOver = pasted.carryOver;
    if (pasted.sales) stored.sales = pasted.sales;
    return stored;
}
