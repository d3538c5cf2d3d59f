#include "wheel/WheelOdds.h"

#include <bit>
#include <cmath>

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
void AddDraw(const std::vector<NumberMask>& tickets, NumberMask drawn, std::uint64_t weight,
             TicketSetOdds& odds) {
    bool tier1 = false, tier4 = false, tier5 = false;
    NumberMask sixLeft = 0, threeLeft = 0;
    bool six = false, three = false;
    for (NumberMask t : tickets) {
        switch (std::popcount(t & drawn)) {
            case 7:
                tier1 = true;
                break;
            case 6:
                six = true;
                sixLeft |= t & ~drawn;
                break;
            case 5:
                tier4 = true;
                break;
            case 4:
                tier5 = true;
                break;
            case 3:
                three = true;
                threeLeft |= t & ~drawn;
                break;
            default:
                break;
        }
    }
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
    const int v = std::popcount(all);
    std::uint64_t draws = 0;
    for (int j = 0; j <= kTicketSize; ++j) {
        if (kTicketSize - j <= kPool - v) draws += Choose(v, j);
    }
    return draws;
}

std::optional<TicketSetOdds> ExactOdds(const std::vector<NumberMask>& tickets,
                                       const std::function<bool()>& stop) {
    const std::uint64_t draws = OddsDrawCount(tickets);
    if (!tickets.empty() && draws > kMaxOddsChecks / tickets.size()) return std::nullopt;
    NumberMask all = 0;
    for (NumberMask t : tickets) all |= t;
    const std::vector<int> numbers = NumbersOf(all);
    const int v = static_cast<int>(numbers.size());
    TicketSetOdds odds;
    std::uint64_t walked = 0;
    for (int j = 0; j <= std::min(v, kTicketSize); ++j) {
        const std::uint64_t weight = Choose(kPool - v, kTicketSize - j);
        if (weight == 0) continue;
        const std::uint64_t end = std::uint64_t{1} << v;
        for (std::uint64_t set = (std::uint64_t{1} << j) - 1; set < end;
             set = j == 0 ? end : NextSameSize(set)) {
            NumberMask drawn = 0;
            for (std::uint64_t rest = set; rest; rest &= rest - 1) {
                drawn |= NumberMask{1} << numbers[std::countr_zero(rest)];
            }
            AddDraw(tickets, drawn, weight, odds);
            if (stop && (++walked & 0xFFFF) == 0 && stop()) return std::nullopt;
        }
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
