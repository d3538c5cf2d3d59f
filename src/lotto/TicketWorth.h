#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What tickets are worth before the draw, at the prize shares: 45 % of the
// price comes back as prizes on average, 135 of every 300 yen.  Money is in
// whole yen; only the spread, a statistic, is a floating-point figure.

inline constexpr int kAveragePayoutYen = 135;  // 300 円 × 45 %

struct TicketWorth {
    std::int64_t units = 0;
    std::int64_t cost = 0;           // 円
    std::int64_t expectedPrize = 0;  // 円: 135 a unit
    // The standard deviation of the prize in yen, at the theoretical amounts,
    // the units taken as independent of one another.
    double spread = 0;

    std::int64_t ExpectedBalance() const { return expectedPrize - cost; }
};

// The worth of this many units of a draw (its shares give the spread).
TicketWorth WorthOf(std::int64_t units, int drawNumber);

// The average yen one unit of the draw after a carry-over pays back: the
// carry-over is added to the 1等 money as if one unit alone won it (shared
// jackpots and the 1等 ceiling are left out).
std::int64_t ExpectedWithCarryOver(std::int64_t carryOver);

// The plain words shown beside a ticket count: the average payback of a
// unit, and for units > 0 the cost, expected prize, spread and expected
// balance of them; with a known carry-over into nextDraw, what a unit of it
// is worth.
std::string TicketWorthText(std::int64_t units, int nextDraw,
                            std::optional<std::int64_t> carryOver = std::nullopt);

// "218,000円": yen rounded to three significant digits, for spreads.
std::string RoughYenText(double yen);
