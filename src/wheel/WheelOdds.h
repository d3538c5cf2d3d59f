#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "lotto/PrizeTier.h"
#include "wheel/WheelDesign.h"

// Exact chances of a set of tickets under a uniformly random draw: seven
// main numbers from 1 … 37, then two bonus numbers from the other 30.

// Every outcome counted once: C(37, 7) main draws times C(30, 2) bonus pairs.
inline constexpr std::uint64_t kOutcomeCount = 10'295'472ULL * 435ULL;

// The most ticket-by-draw checks one computation may take.
inline constexpr std::uint64_t kMaxOddsChecks = 300'000'000ULL;

struct TicketSetOdds {
    // Outcomes (out of kOutcomeCount) in which at least one ticket wins
    // tier 1 … 6 (index 0 unused), and in which at least one ticket wins
    // anything.
    std::array<std::uint64_t, kPrizeTierCount + 1> tierOutcomes{};
    std::uint64_t anyOutcomes = 0;

    long double Tier(int tier) const {
        return static_cast<long double>(tierOutcomes[tier]) / kOutcomeCount;
    }
    long double Any() const { return static_cast<long double>(anyOutcomes) / kOutcomeCount; }
};

// The draws the odds of `tickets` walk: every set of at most seven of their
// numbers; the rest of a draw lies outside them and only counts.
std::uint64_t OddsDrawCount(const std::vector<NumberMask>& tickets);
// The same for tickets over v numbers in all.
std::uint64_t OddsDrawCount(int v);

// About how long ExactOdds takes for `tickets` tickets over v numbers (0
// when it would not compute them), for a caller that must keep to a time.
double ExactOddsSeconds(std::size_t tickets, int v);

// The exact odds of tickets of seven numbers each; nothing when the checks
// do not fit kMaxOddsChecks.  `stop`, when given, is asked now and then; a
// true answer ends the computation with nothing.
std::optional<TicketSetOdds> ExactOdds(const std::vector<NumberMask>& tickets,
                                       const std::function<bool()>& stop = {});

// The chance that at least one of `count` tickets, each drawn at random and
// independently from all C(37, 7), wins the tier (0 for any tier): for a
// fixed draw each wins with the single-ticket chance p, so 1 − (1 − p)^count.
long double RandomTicketsChance(int tier, std::uint64_t count);
