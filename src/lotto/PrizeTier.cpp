#include "lotto/PrizeTier.h"

#include <bit>

namespace {

std::uint64_t Bit(int n) {
    return n >= kLowestNumber && n <= kHighestNumber ? std::uint64_t{1} << n : 0;
}

}  // namespace

int PrizeTier(int mainMatches, int bonusMatches) {
    const bool bonus = bonusMatches > 0;
    switch (mainMatches) {
        case 7:
            return 1;
        case 6:
            return bonus ? 2 : 3;
        case 5:
            return 4;
        case 4:
            return 5;
        case 3:
            return bonus ? 6 : 0;
        default:
            return 0;
    }
}

std::uint64_t NumberSet(std::span<const int> numbers) {
    std::uint64_t set = 0;
    for (int n : numbers) set |= Bit(n);
    return set;
}

TicketScore ScoreTicket(std::span<const int> numbers, const DrawRecord& draw) {
    std::uint64_t main = 0;
    for (int i = 0; i < kMainCount; ++i) main |= Bit(draw.Main(i));
    const std::uint64_t bonus = Bit(draw.Bonus1()) | Bit(draw.Bonus2());
    const std::uint64_t ticket = NumberSet(numbers);
    TicketScore score;
    score.mainMatches = std::popcount(ticket & main);
    score.bonusMatches = std::popcount(ticket & bonus);
    if (std::popcount(ticket) == kTicketSize) {
        score.tier = PrizeTier(score.mainMatches, score.bonusMatches);
    }
    return score;
}
