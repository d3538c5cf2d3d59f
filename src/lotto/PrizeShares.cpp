#include "lotto/PrizeShares.h"

#include "core/PurchasedTicket.h"
#include "lotto/LotoChance.h"
#include "lotto/PrizeTier.h"

namespace {

constexpr int kShareBonusCount = 2;
constexpr int kSharePool = kHighestNumber - kLowestNumber + 1;  // 37
constexpr int kSharesNow[kPrizeTierCount] = {50'364, 6'122, 7'052, 4'275, 14'413, 17'774};
constexpr int kSharesBefore[kPrizeTierCount] = {43'169, 7'333, 10'266, 6'023, 14'885, 18'324};

}  // namespace

int TierShare(int tier, int drawNumber) {
    if (tier < 1 || tier > kPrizeTierCount) return 0;
    return (drawNumber >= kSharesChangedAtDraw ? kSharesNow : kSharesBefore)[tier - 1];
}

std::int64_t TierCombinations(int tier) {
    // A ticket with m main and b bonus matches: the m of the 7 main numbers,
    // the b of the 2 bonus numbers, and the rest from the 28 others.
    const int others = kSharePool - kMainCount - kShareBonusCount;
    std::int64_t count = 0;
    for (int m = 0; m <= kTicketSize; ++m) {
        for (int b = 0; b <= kShareBonusCount && m + b <= kTicketSize; ++b) {
            if (tier < 1 || PrizeTier(m, b) != tier) continue;
            count +=
                static_cast<std::int64_t>(Binomial(kMainCount, m) * Binomial(kShareBonusCount, b) *
                                          Binomial(others, kTicketSize - m - b));
        }
    }
    return count;
}

std::int64_t TheoreticalPrize(int tier, int drawNumber) {
    const std::int64_t winners = TierCombinations(tier);
    if (winners == 0) return 0;
    // price · 45 · share · C(37, 7) stays below 2^63 (about 7·10^15).
    const std::int64_t money = std::int64_t{kTicketUnitPrice} * kPrizePayoutPercent *
                               TierShare(tier, drawNumber) *
                               static_cast<std::int64_t>(Binomial(kSharePool, kTicketSize));
    const std::int64_t yen = money / (std::int64_t{100} * kShareScale * winners);
    return yen / 100 * 100;
}
