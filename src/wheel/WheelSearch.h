#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wheel/WheelBounds.h"
#include "wheel/WheelDesign.h"
#include "wheel/WheelVerify.h"

// The search for a small wheel: a greedy start, improved by simulated
// annealing over block swaps with incremental coverage counts.  Every set
// it returns has passed CheckGuarantee; a smaller set is only kept once it
// has too.

inline constexpr double kDefaultWheelSeconds = 2;
inline constexpr double kMaxWheelSeconds = 60;

// The most cases one ticket may cover for the search to take the problem on.
inline constexpr std::uint64_t kMaxCoverPerTicket = 2'000'000ULL;

struct WheelSearchOptions {
    double seconds = kDefaultWheelSeconds;  // in all, the greedy start included
    std::uint64_t seed = 1;
    // Stop once a verified set this small is found (0: at the lower bound).
    std::size_t enough = 0;
    // The seconds the caller needs after the search for a set of this many
    // tickets (its report); the search leaves them of the budget.
    std::function<double(std::size_t tickets)> reserve;
};

struct WheelProgress {
    double elapsedSeconds = 0;
    double budgetSeconds = 0;
    std::size_t bestTickets = 0;  // 0 while the greedy start is being made
};

// Told of progress now and then; returning false stops the search, which
// keeps the best verified set found so far.
using WheelProgressSink = std::function<bool(const WheelProgress&)>;

struct WheelResult {
    WheelRequest request;
    std::vector<NumberMask> tickets;  // verified, each with the keys
    GuaranteeCheck check;             // the proof: holds, every case counted
    std::size_t greedyTickets = 0;    // the size of the greedy start
    // The time ran out before the greedy start was made: the cases it had
    // not covered were covered one ticket each, which makes a verified but
    // large start.
    bool startCut = false;
    WheelBound bound;
    double seconds = 0;    // the whole search
    bool stopped = false;  // by the caller, before the time was up
    bool optimal = false;  // as small as the lower bound
};

// Throws a UserError saying why when the search will not take a checked
// request on: its cases too many to check, or each ticket covering too many.
void CheckWheelSearchLimit(const WheelRequest& request);

// Searches for a small wheel for a checked request within the limit.
// Nothing when stopped before the greedy start was made and verified.
std::optional<WheelResult> SearchWheel(const WheelRequest& request,
                                       const WheelSearchOptions& options,
                                       const WheelProgressSink& progress = {});

// The greedy start alone (no search), verified; nothing if it fails the
// check (which would be a fault).
std::optional<WheelResult> GreedyWheel(const WheelRequest& request, std::uint64_t seed);

// The tickets as they would be returned: sorted, checked against the
// request; nothing unless the guarantee holds in every case.
std::optional<GuaranteeCheck> AcceptVerified(std::vector<NumberMask>& tickets,
                                             const WheelRequest& request);
