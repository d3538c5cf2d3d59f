#include "wheel/WheelOdds.h"

#include <bit>
#include <cmath>

#include "core/ParallelFor.h"
#include "core/PopcountClones.h"
#include "lotto/LotoChance.h"

namespace {

constexpr int kPool = 37;
constexpr std::uint64_t kPairs = 435;  // C(30, 2) bonus pairs
constexpr int kNonMain = 30;

// Bonus pairs, of the 30 numbers not drawn as main numbers, that hold at
// least one of `hit` given numbers.
std::uint64_t PairsMeeting(int hit) { return kPairs - Choose(kNonMain - hit, 2); }

// Bonus pairs that miss at least one of `left` given numbers: all unless the
// pair is those numbers (two) or holds the one (29 pairs).
std::uint64_t PairsMissingOne(int left) {
    if (left == 0) return 0;
    if (left == 1) return kPairs - (kNonMain - 1);
    if (left == 2) return kPairs - 1;
    return kPairs;
}

// Adds the outcomes of one set of main numbers drawn among the tickets'
// numbers (the other main numbers fall outside them), `weight` such draws.
[[gnu::always_inline]] inline void AddDraw(const std::vector<NumberMask>& tickets, NumberMask drawn,
                                           std::uint64_t weight, TicketSetOdds& odds) {
    // Without branches in the loop: which match counts occur, as bits, and
    // the numbers left over by the tickets matching six and three.
    unsigned seen = 0;
    NumberMask sixLeft = 0, threeLeft = 0;
    for (NumberMask t : tickets) {
        const int match = std::popcount(t & drawn);
        seen |= 1u << match;
        const NumberMask left = t & ~drawn;
        sixLeft |= match == 6 ? left : 0;
        threeLeft |= match == 3 ? left : 0;
    }
    const bool tier1 = (seen >> 7 & 1) != 0, six = (seen >> 6 & 1) != 0;
    const bool tier4 = (seen >> 5 & 1) != 0, tier5 = (seen >> 4 & 1) != 0;
    const bool three = (seen >> 3 & 1) != 0;
    const auto add = [&](int tier, std::uint64_t pairs) {
        odds.tierOutcomes[tier] += weight * pairs;
    };
    if (tier1) add(1, kPairs);
    if (six) {
        add(2, PairsMeeting(std::popcount(sixLeft)));
        add(3, PairsMissingOne(std::popcount(sixLeft)));
    }
    if (tier4) add(4, kPairs);
    if (tier5) add(5, kPairs);
    const std::uint64_t tier6 = three ? PairsMeeting(std::popcount(threeLeft)) : 0;
    add(6, tier6);
    odds.anyOutcomes += weight * (tier1 || six || tier4 || tier5 ? kPairs : tier6);
}

}  // namespace

std::uint64_t OddsDrawCount(const std::vector<NumberMask>& tickets) {
    NumberMask all = 0;
    for (NumberMask t : tickets) all |= t;
    return OddsDrawCount(std::popcount(all));
}

double ExactOddsSeconds(std::size_t tickets, int v) {
    // Measured: about 1.1 ns a ticket-by-draw check with the popcnt
    // instruction on one core, the work shared by two; kept on the safe side.
    constexpr double kSecondsPerCheck = 1.0e-9;
    const std::uint64_t draws = OddsDrawCount(v);
    if (tickets == 0 || draws > kMaxOddsChecks / tickets) return 0;
    return static_cast<double>(draws * tickets) * kSecondsPerCheck;
}

std::uint64_t OddsDrawCount(int v) {
    std::uint64_t draws = 0;
    for (int j = 0; j <= kTicketSize; ++j) {
        if (kTicketSize - j <= kPool - v) draws += Choose(v, j);
    }
    return draws;
}

namespace {

// One share of the draws ExactOdds walks: the sets of j of the v numbers
// whose highest is `top` (for j = 0, the empty set alone).
struct DrawShare {
    int j = 0;
    int top = -1;
};

std::vector<DrawShare> DrawShares(int v) {
    std::vector<DrawShare> shares;
    for (int j = 0; j <= std::min(v, kTicketSize); ++j) {
        if (Choose(kPool - v, kTicketSize - j) == 0) continue;
        if (j == 0) shares.push_back({0, -1});
        for (int top = j - 1; j > 0 && top < v; ++top) shares.push_back({j, top});
    }
    return shares;
}

LOTO7_POPCOUNT_CLONES void AddShare(const std::vector<NumberMask>& tickets,
                                    const std::vector<int>& numbers, DrawShare share,
                                    TicketSetOdds& odds) {
    const int v = static_cast<int>(numbers.size());
    const std::uint64_t weight = Choose(kPool - v, kTicketSize - share.j);
    if (share.j == 0) {
        AddDraw(tickets, 0, weight, odds);
        return;
    }
    const NumberMask topNumber = NumberMask{1} << numbers[share.top];
    const int below = share.j - 1;
    const std::uint64_t end = std::uint64_t{1} << share.top;
    for (std::uint64_t set = (std::uint64_t{1} << below) - 1; set < end;
         set = below == 0 ? end : NextSameSize(set)) {
        NumberMask drawn = topNumber;
        for (std::uint64_t rest = set; rest; rest &= rest - 1) {
            drawn |= NumberMask{1} << numbers[std::countr_zero(rest)];
        }
        AddDraw(tickets, drawn, weight, odds);
    }
}

}  // namespace

std::optional<TicketSetOdds> ExactOdds(const std::vector<NumberMask>& tickets,
                                       const std::function<bool()>& stop) {
    const std::uint64_t draws = OddsDrawCount(tickets);
    if (!tickets.empty() && draws > kMaxOddsChecks / tickets.size()) return std::nullopt;
    NumberMask all = 0;
    for (NumberMask t : tickets) all |= t;
    const std::vector<int> numbers = NumbersOf(all);
    const std::vector<DrawShare> shares = DrawShares(static_cast<int>(numbers.size()));
    // Each share adds into its own counts; the sums do not depend on which
    // thread made them.
    std::vector<TicketSetOdds> parts(shares.size());
    const bool completed = ParallelFor(
        static_cast<int>(shares.size()),
        [&](int i) { AddShare(tickets, numbers, shares[i], parts[i]); },
        stop ? std::function<bool()>([&] { return !stop(); }) : std::function<bool()>());
    if (!completed) return std::nullopt;
    TicketSetOdds odds;
    for (const TicketSetOdds& part : parts) {
        for (int tier = 1; tier <= kPrizeTierCount; ++tier) {
            odds.tierOutcomes[tier] += part.tierOutcomes[tier];
        }
        odds.anyOutcomes += part.anyOutcomes;
    }
    return odds;
}

long double RandomTicketsChance(int tier, std::uint64_t count) {
    long double p = 0;
    if (tier == 0) {
        for (int t = 1; t <= kPrizeTierCount; ++t) p += TierProbability(t);
    } else {
        p = TierProbability(tier);
    }
    return 1 - std::pow(1 - p, static_cast<long double>(count));
}
