#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "filter/NumberFilter.h"

// The search of 絞り込み over every combination of seven numbers from 1 …
// highest (37 for Loto 7; tests use smaller spaces), in lexicographic order.
// The measures grow one number at a time, so a combination costs one step
// and the checks; nothing is allocated per combination and no list of
// combinations is kept.

inline constexpr int kComboSize = 7;
using Combination = std::array<int, kComboSize>;

// How many combinations pass every filter that is on, and each filter alone.
struct CombinationCounts {
    std::uint64_t total = 0;  // combinations looked at
    std::uint64_t passing = 0;
    std::array<std::uint64_t, kFilterKindCount> alone{};
    bool completed = true;  // false when stopped
};

// Asked now and then; returning true stops the search.
using StopAsked = std::function<bool()>;

// Counts over all combinations of 1 … highest, split over `threads` threads
// (1 or 2).  A stopped search says so and its counts mean nothing.
CombinationCounts CountCombinations(const FilterConditions& conditions,
                                    const FilterContext& context, int threads = 1, int highest = 37,
                                    const StopAsked& stop = {});

// The passing combinations at the given ranks (0-based, ascending) among the
// passing ones in lexicographic order, in that order; ranks past the end are
// left out.
std::vector<Combination> PassingAtRanks(const FilterConditions& conditions,
                                        const FilterContext& context,
                                        const std::vector<std::uint64_t>& ascendingRanks,
                                        int highest = 37, const StopAsked& stop = {});

enum class TicketMethod {
    Random,  // uniformly at random among the passing combinations
    Spread,  // using the numbers as evenly as possible
};

struct TicketRequest {
    int count = 5;
    std::uint64_t seed = 1;
    TicketMethod method = TicketMethod::Random;
};

// Up to request.count different passing combinations (all of them when
// fewer pass), chosen by the seeded generator, so the same seed, filters and
// draws give the same tickets.  Random: the ranks are drawn uniformly
// without repeats, and the tickets come in the order drawn.  Spread: from a
// random sample of passing combinations, each ticket in turn is the one
// whose numbers have been used least by the tickets before it.
std::vector<Combination> GenerateTickets(const FilterConditions& conditions,
                                         const FilterContext& context, std::uint64_t passing,
                                         const TicketRequest& request, int highest = 37,
                                         const StopAsked& stop = {});

// The most tickets one request makes.
inline constexpr int kMaxTickets = 10000;
