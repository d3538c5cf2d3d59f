#include "prediction/MatchLaw.h"

#include <algorithm>
#include <numeric>

#include "prediction/LotoChance.h"

namespace {

constexpr int kPool = kHighestNumber - kLowestNumber + 1;
constexpr double kTieTolerance = 1e-7;

}  // namespace

MatchLaw DrawMatchLaw(const std::array<int, kHighestNumber + 1>& holding) {
    // Group the numbers by how many rows hold them.
    int most = 0;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) most = std::max(most, holding[n]);
    std::vector<int> groupSize(static_cast<std::size_t>(most) + 1, 0);
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) ++groupSize[holding[n]];

    // ways[j][s]: the ways to pick j of the numbers of the groups seen so far
    // with s matches in all; whole numbers below 2^53, so exact in a double.
    const int maxTotal = most * kMainCount;
    std::vector<std::vector<double>> ways(kMainCount + 1, std::vector<double>(maxTotal + 1, 0.0));
    ways[0][0] = 1;
    for (int weight = 0; weight <= most; ++weight) {
        const int size = groupSize[weight];
        if (size == 0) continue;
        auto next = std::vector<std::vector<double>>(kMainCount + 1,
                                                     std::vector<double>(maxTotal + 1, 0.0));
        for (int j = 0; j <= kMainCount; ++j) {
            for (int s = 0; s <= maxTotal; ++s) {
                if (ways[j][s] == 0) continue;
                for (int i = 0; i <= std::min(size, kMainCount - j); ++i) {
                    next[j + i][s + weight * i] +=
                        ways[j][s] * static_cast<double>(Binomial(size, i));
                }
            }
        }
        ways = std::move(next);
    }
    const double sets = static_cast<double>(Binomial(kPool, kMainCount));
    MatchLaw law = ways[kMainCount];
    for (double& p : law) p /= sets;
    while (law.size() > 1 && law.back() == 0) law.pop_back();
    return law;
}

MatchLaw Convolve(const MatchLaw& a, const MatchLaw& b) {
    if (a.empty() || b.empty()) return {};
    MatchLaw sum(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == 0) continue;
        for (std::size_t j = 0; j < b.size(); ++j) sum[i + j] += a[i] * b[j];
    }
    return sum;
}

std::vector<double> TwoSidedExactPValues(const MatchLaw& law) {
    std::vector<double> sorted(law);
    std::sort(sorted.begin(), sorted.end());
    std::vector<double> below(sorted.size() + 1, 0.0);  // sums of the smallest probabilities
    for (std::size_t i = 0; i < sorted.size(); ++i) below[i + 1] = below[i] + sorted[i];
    std::vector<double> p(law.size(), 0.0);
    for (std::size_t x = 0; x < law.size(); ++x) {
        if (law[x] == 0) continue;
        const double limit = law[x] * (1 + kTieTolerance);
        const auto end = std::upper_bound(sorted.begin(), sorted.end(), limit);
        p[x] = std::min(1.0, below[static_cast<std::size_t>(end - sorted.begin())]);
    }
    return p;
}

double SmallestExactPValue(const MatchLaw& law) {
    double smallest = 1;
    for (double p : TwoSidedExactPValues(law)) {
        if (p > 0) smallest = std::min(smallest, p);
    }
    return smallest;
}
