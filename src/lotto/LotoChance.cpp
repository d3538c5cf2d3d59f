#include "lotto/LotoChance.h"

#include <cmath>

#include "core/DrawRecord.h"
#include "lotto/PrizeTier.h"

namespace {

constexpr int kPool = kHighestNumber - kLowestNumber + 1;  // 37
constexpr int kOthers = kPool - kMainCount;                // 30, the bonus numbers' pool
constexpr int kBonusCount = 2;

}  // namespace

std::uint64_t Binomial(int n, int k) {
    if (k < 0 || n < 0 || k > n) return 0;
    if (k > n - k) k = n - k;
    // Each step leaves C(n − k + i, i), a whole number, so the division is exact.
    std::uint64_t result = 1;
    for (int i = 1; i <= k; ++i) result = result * static_cast<std::uint64_t>(n - k + i) / i;
    return result;
}

long double MainMatchProbability(int picks, int matches) {
    return static_cast<long double>(Binomial(kMainCount, matches) *
                                    Binomial(kOthers, picks - matches)) /
           static_cast<long double>(Binomial(kPool, picks));
}

long double MatchProbability(int picks, int mainMatches, int bonusMatches) {
    const int outside = picks - mainMatches;
    const long double bonus =
        static_cast<long double>(Binomial(outside, bonusMatches) *
                                 Binomial(kOthers - outside, kBonusCount - bonusMatches)) /
        static_cast<long double>(Binomial(kOthers, kBonusCount));
    return MainMatchProbability(picks, mainMatches) * bonus;
}

long double ExpectedMainMatches(int picks) {
    return static_cast<long double>(picks) * kMainCount / kPool;
}

long double TierProbability(int tier) {
    long double p = 0;
    for (int m = 0; m <= kTicketSize; ++m) {
        for (int b = 0; b <= kBonusCount; ++b) {
            if (PrizeTier(m, b) == tier) p += MatchProbability(kTicketSize, m, b);
        }
    }
    return p;
}

long double MainMatchTotalVariance(long long count, long long countSquares) {
    const long double p = static_cast<long double>(kMainCount) / kPool;
    const long double variance = p * (1 - p);
    const long double covariance =
        static_cast<long double>(kMainCount * (kMainCount - 1)) / (kPool * (kPool - 1)) - p * p;
    const long double sum = static_cast<long double>(count);
    const long double squares = static_cast<long double>(countSquares);
    return squares * variance + (sum * sum - squares) * covariance;
}

double TwoSidedPValue(double z) { return std::erfc(std::fabs(z) / std::sqrt(2.0)); }
