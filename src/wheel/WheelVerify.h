#pragma once

#include <cstdint>
#include <vector>

#include "wheel/WheelDesign.h"

// The proof of a wheel's guarantee: every case is checked, one by one,
// against the tickets themselves; nothing is taken from how the tickets
// were made.

// The most ticket-by-case checks one verification may take (C(37, 7) cases
// against a few hundred tickets).
inline constexpr std::uint64_t kMaxVerifyChecks = 4'000'000'000ULL;

// The cases of a request: the m-sets of chosen numbers that hold every key.
std::uint64_t GuaranteeCaseCount(const WheelRequest& request);

// True when the checks of `tickets` against every case fit kMaxVerifyChecks.
bool VerificationFits(std::uint64_t cases, std::size_t tickets);

struct GuaranteeCheck {
    bool holds = false;
    std::uint64_t cases = 0;      // checked
    std::vector<int> missedCase;  // the first case no ticket matches t times
};

// Two independent ways to check a case: scanning the tickets for one
// sharing t numbers with it, or looking its t-subsets up among those of the
// tickets.  Both report the first case in the same order that fails.
enum class GuaranteeMethod { kFastest, kScan, kSubsets };

// Checks "t if m" of a checked request case by case.
GuaranteeCheck CheckGuarantee(const std::vector<NumberMask>& tickets, const WheelRequest& request,
                              GuaranteeMethod method = GuaranteeMethod::kFastest);

// One line of the verified table: when m of the chosen numbers are drawn
// (the keys among them), some ticket surely matches `guaranteed` of them;
// `worstCase` is a case where no ticket matches more.
struct GuaranteeLine {
    int m = 0;
    int guaranteed = 0;
    std::vector<int> worstCase;
};

// The most ticket-by-case checks one line of the table below may take.
inline constexpr std::uint64_t kMaxTableChecks = 300'000'000ULL;

// The verified "t if m" table of tickets over the chosen numbers, for every
// m from the key count (at least 1) to min(7, chosen count).  Lines whose
// checks exceed kMaxTableChecks are left out.
std::vector<GuaranteeLine> GuaranteeTable(const std::vector<NumberMask>& tickets, NumberMask chosen,
                                          NumberMask keys);
