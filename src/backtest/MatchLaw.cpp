#include "backtest/MatchLaw.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>

#include "lotto/LotoChance.h"

namespace {

constexpr int kPool = kHighestNumber - kLowestNumber + 1;
constexpr double kLawTieTolerance = 1e-7;

// How many numbers each count of rows holds: entry w is the numbers that w
// rows hold.
std::vector<int> GroupSizes(const std::array<int, kHighestNumber + 1>& holding) {
    int most = 0;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) most = std::max(most, holding[n]);
    std::vector<int> groupSize(static_cast<std::size_t>(most) + 1, 0);
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) ++groupSize[holding[n]];
    return groupSize;
}

MatchLaw LawOfGroups(const std::vector<int>& groupSize) {
    const int most = static_cast<int>(groupSize.size()) - 1;
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

}  // namespace

MatchLaw DrawMatchLaw(const std::array<int, kHighestNumber + 1>& holding) {
    return LawOfGroups(GroupSizes(holding));
}

const MatchLaw& DrawMatchLaws::LawOf(const std::array<int, kHighestNumber + 1>& holding) {
    std::vector<int> groups = GroupSizes(holding);
    const auto found = laws_.find(groups);
    if (found != laws_.end()) return found->second;
    MatchLaw law = LawOfGroups(groups);
    return laws_.emplace(std::move(groups), std::move(law)).first->second;
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

namespace {

using Complex = std::complex<double>;

// In-place radix-2 transform of a power-of-two length; `inverse` without
// the 1/N.
void Transform(std::vector<Complex>& a, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle =
            2 * std::numbers::pi / static_cast<double>(length) * (inverse ? 1 : -1);
        const Complex step(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += length) {
            Complex w(1);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const Complex u = a[i + k];
                const Complex v = a[i + k + length / 2] * w;
                a[i + k] = u + v;
                a[i + k + length / 2] = u - v;
                w *= step;
            }
        }
    }
}

// Below this modulus a factor of the product cannot reach the probabilities
// kept (those above 1e-14): it is 0, before products of it turn subnormal,
// which the processor works out many times slower.
constexpr double kVanishing = 1e-150;

Complex Vanishing(Complex z) { return std::norm(z) < kVanishing * kVanishing ? Complex(0) : z; }

// z^count by repeated squaring.  |z| <= 1 (the transform of a law), so once
// a square vanishes so does every power still to be multiplied in.  A few
// products in place of a power, a logarithm and an angle for every place.
Complex Power(Complex z, int count) {
    Complex power(1);
    for (;;) {
        if (count & 1) power = Vanishing(power * z);
        count >>= 1;
        if (count == 0) return power;
        z = Vanishing(z * z);
        if (z == Complex(0)) return z;
    }
}

// The transform works modulo its length: the sum of the laws folded onto
// N places.  Hoeffding's bound puts all but 1e-20 of the mass within t of
// the mean, t² = ln(2e20) / 2 · Σ (range of each total)², so a length above
// 2t leaves one total of that window on each place.
MatchLaw SumByTransform(const std::map<MatchLaw, int>& laws, std::size_t support) {
    double mean = 0, squares = 0;
    for (const auto& [law, count] : laws) {
        double lawMean = 0;
        for (std::size_t x = 0; x < law.size(); ++x) lawMean += static_cast<double>(x) * law[x];
        const double range = static_cast<double>(law.size() - 1);
        mean += count * lawMean;
        squares += count * range * range;
    }
    const double reach = std::ceil(std::sqrt(squares * std::log(2e20) / 2));
    const auto low = static_cast<std::size_t>(std::max(0.0, std::floor(mean - reach)));
    const std::size_t high =
        std::min(support - 1, static_cast<std::size_t>(std::ceil(mean + reach)));
    std::size_t n = 1;
    while (n < high - low + 1) n <<= 1;
    std::vector<Complex> product(n, Complex(1));
    for (const auto& [law, count] : laws) {
        std::vector<Complex> f(n, Complex(0));
        for (std::size_t x = 0; x < law.size(); ++x) f[x % n] += law[x];
        Transform(f, false);
        for (std::size_t k = 0; k < n; ++k) product[k] = Vanishing(product[k] * Power(f[k], count));
    }
    Transform(product, true);
    constexpr double kFloor = 1e-14;
    MatchLaw sum(high + 1, 0.0);
    for (std::size_t total = low; total <= high; ++total) {
        const double p = product[total % n].real() / static_cast<double>(n);
        sum[total] = p < kFloor ? 0 : p;
    }
    while (sum.size() > 1 && sum.back() == 0) sum.pop_back();
    return sum;
}

}  // namespace

MatchLaw SumOfLaws(const std::map<MatchLaw, int>& laws) {
    std::size_t support = 1;
    for (const auto& [law, count] : laws)
        support += (law.size() - 1) * static_cast<std::size_t>(count);
    if (support > kDirectSupport) return SumByTransform(laws, support);
    MatchLaw sum{1.0};
    for (const auto& [law, count] : laws) {
        for (int i = 0; i < count; ++i) sum = Convolve(sum, law);
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
        const double limit = law[x] * (1 + kLawTieTolerance);
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
