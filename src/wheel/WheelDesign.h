#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lotto/NumberMask.h"

// A wheel: tickets of seven numbers made from v chosen numbers (8 ≤ v ≤ 37),
// some of them key numbers that every ticket holds, with the guarantee
// "t if m": whenever at least m of the seven main numbers drawn are among the
// chosen ones (and, with key numbers, the keys are among them), at least one
// ticket matches at least t main numbers.  Numbers are bits 1 … 37 of a mask.

inline constexpr int kWheelTicketSize = 7;
inline constexpr int kWheelMinChosen = 8;
inline constexpr int kWheelPricePerTicket = 300;  // yen

struct WheelRequest {
    std::vector<int> numbers;  // the chosen numbers, keys among them
    std::vector<int> keys;     // in every ticket
    int t = 0;                 // matches guaranteed …
    int m = 0;                 // … when this many chosen numbers are drawn
};

// What the search works on: the chosen numbers less the keys as points
// 0 … n − 1; a block is a set of blockSize points (a ticket less its keys);
// a case is a set of caseSize points and counts as covered by a block that
// shares at least need of its points.
struct WheelProblem {
    std::vector<int> points;  // the number of each point, ascending
    NumberMask keys = 0;
    int blockSize = 0;
    int caseSize = 0;
    int need = 0;

    int PointCount() const { return static_cast<int>(points.size()); }
    // A block or case over points as the numbers it stands for, keys added.
    NumberMask Ticket(std::uint64_t pointSet) const;
};

// Checks the request (numbers 1–37, no repeats, 8 or more, keys among them
// and fewer than seven, 1 ≤ t ≤ m ≤ 7, m not above the chosen count and at
// least the key count); throws a UserError with the Japanese reason when it
// is not a wheel one can make.
void CheckWheelRequest(const WheelRequest& request);

// The problem of a checked request.
WheelProblem MakeWheelProblem(const WheelRequest& request);

NumberMask MaskOf(const std::vector<int>& numbers);

// C(n, k) for 0 ≤ n, k ≤ 64 (0 when k > n), worked out as the program is
// compiled.
using ChooseTable = std::array<std::array<std::uint64_t, 65>, 65>;
inline constexpr ChooseTable kChooseTable = [] {
    ChooseTable t{};
    for (int n = 0; n <= 64; ++n) {
        t[n][0] = 1;
        for (int k = 1; k <= n; ++k) t[n][k] = t[n - 1][k - 1] + (k < n ? t[n - 1][k] : 0);
    }
    return t;
}();

// C(n, k) for 0 ≤ n ≤ 64 from that table; 0 when k < 0 or k > n.
std::uint64_t Choose(int n, int k);

// The colex rank of a set of bits among the sets of its size.  Inline: the
// wheel search ranks a case for every case a move looks at.
inline std::uint64_t ColexRank(std::uint64_t set) {
    std::uint64_t rank = 0;
    for (int i = 1; set; ++i, set &= set - 1) rank += kChooseTable[std::countr_zero(set)][i];
    return rank;
}

// The next larger set with as many bits (Gosper's hack); the caller stops
// at the first set reaching bit n.
inline std::uint64_t NextSameSize(std::uint64_t set) {
    const std::uint64_t low = set & (~set + 1);
    const std::uint64_t ripple = set + low;
    return ripple | (((set ^ ripple) >> 2) / low);
}
