#include "analysis/RandomnessTally.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kPool = kHighestNumber - kLowestNumber + 1;  // 37
constexpr double kMainShare = 7.0 / kPool;                 // a number's chance to be drawn
constexpr double kPairShare = 7.0 * 6 / (kPool * (kPool - 1));
constexpr int kPairs = kPool * (kPool - 1) / 2;  // 666

// Bits of the odd numbers and of the low numbers 1 … 18.
constexpr std::uint64_t OddMask() {
    std::uint64_t m = 0;
    for (int n = 1; n <= kHighestNumber; n += 2) m |= std::uint64_t{1} << n;
    return m;
}
constexpr std::uint64_t kOdd = OddMask();
constexpr std::uint64_t kLow = ((std::uint64_t{1} << 19) - 1) & ~std::uint64_t{1};

double Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    double b = 1;
    for (int i = 1; i <= k; ++i) b = b * (n - k + i) / i;
    return b;
}

// The chance that `k` of seven fair main numbers lie among `marked` of the 37.
double Hypergeometric(int marked, int k) {
    return Binomial(marked, k) * Binomial(kPool - marked, 7 - k) / Binomial(kPool, 7);
}

// The chance of each count bin ≤ 1, 2, 3, 4, 5, ≥ 6 for `marked` numbers.
std::array<double, kCountBins> CountBinLaw(int marked) {
    std::array<double, kCountBins> law{};
    for (int k = 0; k <= 7; ++k)
        law[std::clamp(k - 1, 0, kCountBins - 1)] += Hypergeometric(marked, k);
    return law;
}

std::array<double, kRepeatBins> RepeatLaw() {
    std::array<double, kRepeatBins> law{};
    for (int k = 0; k <= 7; ++k) law[std::min(k, kRepeatBins - 1)] += Hypergeometric(7, k);
    return law;
}

std::array<double, kGapBins> GapLaw() {
    std::array<double, kGapBins> law{};
    double left = 1;
    for (int g = 1; g < kGapBins; ++g) {
        law[g - 1] = left * kMainShare;
        left *= 1 - kMainShare;
    }
    law[kGapBins - 1] = left;
    return law;
}

std::array<double, kSumBins> SumBinLaw() {
    std::array<double, kSumBins> law{};
    for (int s = 28; s <= 238; ++s) law[SumBin(s)] += SumLaw()[s];
    return law;
}

// Σ (O − E)² / E of counts against chances times the draws or gaps.
template <std::size_t N>
double ChiSquare(const std::array<int, N>& observed, const std::array<double, N>& law,
                 double total) {
    double chi = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const double e = law[i] * total;
        chi += (observed[i] - e) * (observed[i] - e) / e;
    }
    return chi;
}

// The counts of numbers 1 … 37 against their mean, scaled so that fair
// draws of `drawn` numbers without replacement read as χ² with 36 degrees
// of freedom.  With q = drawn/37 a count has variance n·q·(1 − q) and two
// counts covary by −1/36 of it (their sum is fixed), so the centred counts
// over n·q·(1 − q)·37/36 sum in squares to χ²(36); against the plain
// Σ (O − E)² / E that is a factor 36 / (37 − drawn): 1.2 for the main draw.
double NumberChiSquare(const std::array<int, kHighestNumber + 1>& counts, int draws, int drawn) {
    const double e = static_cast<double>(draws) * drawn / kPool;
    if (e <= 0) return 0;
    double chi = 0;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n)
        chi += (counts[n] - e) * (counts[n] - e) / e;
    return chi * (kPool - 1) / (kPool - drawn);
}

double PairChiSquare(const RandomnessTally& t) {
    const double e = t.draws * kPairShare;
    if (e <= 0) return 0;
    double chi = 0;
    for (int a = 1; a <= kHighestNumber; ++a) {
        for (int b = a + 1; b <= kHighestNumber; ++b) {
            const double d = t.pairCount[a * (kHighestNumber + 1) + b] - e;
            chi += d * d / e;
        }
    }
    return chi;
}

// Wald–Wolfowitz: the runs' distance from their mean in standard deviations.
double RunsZ(const RandomnessTally& t) {
    const double n1 = t.above, n2 = t.below, n = n1 + n2;
    if (n1 == 0 || n2 == 0 || n < 2) return 0;
    const double mean = 2 * n1 * n2 / n + 1;
    const double variance = 2 * n1 * n2 * (2 * n1 * n2 - n) / (n * n * (n - 1));
    return variance > 0 ? (t.runs - mean) / std::sqrt(variance) : 0;
}

std::string Text(int n) { return std::to_string(n); }

template <std::size_t N>
std::vector<ChartBar> Bars(const std::array<int, N>& observed, const std::array<double, N>& law,
                           double total, const std::vector<std::string>& labels) {
    std::vector<ChartBar> bars;
    for (std::size_t i = 0; i < N; ++i) {
        bars.push_back({labels[i], static_cast<double>(observed[i]), law[i] * total});
    }
    return bars;
}

std::vector<std::string> CountLabels(const char* unit) {
    return {std::string("1") + unit + "以下",
            Text(2) + unit,
            Text(3) + unit,
            Text(4) + unit,
            Text(5) + unit,
            Text(6) + unit + "以上"};
}

int TotalGaps(const RandomnessTally& t) {
    int gaps = 0;
    for (int c : t.gapCount) gaps += c;
    return gaps;
}

}  // namespace

const char* RandomnessTestName(int test) {
    static const char* const names[] = {
        "本数字の出現回数", "ボーナス数字の出現回数", "出現間隔",           "本数字の合計",
        "奇数の個数",       "1～18の数字の個数",      "前回からの引っ張り", "ペアの出現回数",
        "合計の上下の並び"};
    return names[test];
}

const char* RandomnessTestMethod(int test) {
    static const char* const methods[] = {"χ²（非復元抽出の補正 ×36/30、自由度36相当）",
                                          "χ²（非復元抽出の補正 ×36/35、自由度36相当）",
                                          "χ²（間隔1～15回と16回以上、幾何分布 p = 7/37）",
                                          "χ²（合計を確率がほぼ等しい10区分に分けて）",
                                          "χ²（1個以下～6個以上、超幾何分布）",
                                          "χ²（1個以下～6個以上、超幾何分布）",
                                          "χ²（0～3個と4個以上、超幾何分布）",
                                          "χ²（666組）",
                                          "連の数の z（Wald–Wolfowitz、両側の |z|）"};
    return methods[test];
}

DrawSets SetsOf(const DrawRecord& draw) {
    DrawSets sets;
    for (int i = 0; i < kMainCount; ++i) sets.main |= std::uint64_t{1} << draw.Main(i);
    sets.bonus = (std::uint64_t{1} << draw.Bonus1()) | (std::uint64_t{1} << draw.Bonus2());
    return sets;
}

const std::array<double, 239>& SumLaw() {
    static const std::array<double, 239> law = [] {
        // ways[k][s]: k numbers of those seen so far with sum s.
        std::vector<std::array<double, 239>> ways(8);
        ways[0][0] = 1;
        for (int n = 1; n <= kHighestNumber; ++n) {
            for (int k = 7; k >= 1; --k) {
                for (int s = 238; s >= n; --s) ways[k][s] += ways[k - 1][s - n];
            }
        }
        std::array<double, 239> p{};
        const double sets = Binomial(kPool, 7);
        for (int s = 0; s <= 238; ++s) p[s] = ways[7][s] / sets;
        return p;
    }();
    return law;
}

int SumBin(int sum) {
    static const std::array<int, 239> bins = [] {
        std::array<int, 239> b{};
        double cumulative = 0;
        int bin = 0;
        for (int s = 0; s <= 238; ++s) {
            b[s] = bin;
            cumulative += SumLaw()[s];
            while (bin < kSumBins - 1 && cumulative >= (bin + 1.0) / kSumBins) ++bin;
        }
        return b;
    }();
    return bins[std::clamp(sum, 0, 238)];
}

void RandomnessTally::Add(const DrawSets& draw) {
    ++draws;
    int numbers[kMainCount];
    int count = 0;
    int sum = 0;
    for (std::uint64_t s = draw.main; s != 0 && count < kMainCount; s &= s - 1) {
        const int n = std::countr_zero(s);
        numbers[count++] = n;
        sum += n;
        ++mainCount[n];
        if (lastSeen[n] > 0) ++gapCount[std::min(draws - lastSeen[n], kGapBins) - 1];
        lastSeen[n] = draws;
    }
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j)
            ++pairCount[numbers[i] * (kHighestNumber + 1) + numbers[j]];
    }
    for (std::uint64_t s = draw.bonus; s != 0; s &= s - 1) ++bonusCount[std::countr_zero(s)];
    ++sumCount[SumBin(sum)];
    ++oddCount[std::clamp(std::popcount(draw.main & kOdd) - 1, 0, kCountBins - 1)];
    ++lowCount[std::clamp(std::popcount(draw.main & kLow) - 1, 0, kCountBins - 1)];
    if (draws > 1) ++repeatCount[std::min(std::popcount(draw.main & previous), kRepeatBins - 1)];
    previous = draw.main;
    const int side = sum > kMedianSum ? 1 : sum < kMedianSum ? -1 : 0;
    if (side != 0) {
        (side > 0 ? above : below) += 1;
        if (side != lastSide) ++runs;
        lastSide = side;
    }
}

std::array<double, kRandomnessTestCount> RandomnessStatistics(const RandomnessTally& t) {
    static const std::array<double, kCountBins> oddLaw = CountBinLaw(19);
    static const std::array<double, kCountBins> lowLaw = CountBinLaw(18);
    static const std::array<double, kRepeatBins> repeatLaw = RepeatLaw();
    static const std::array<double, kGapBins> gapLaw = GapLaw();
    static const std::array<double, kSumBins> sumLaw = SumBinLaw();
    std::array<double, kRandomnessTestCount> s{};
    s[kMainFrequencyTest] = NumberChiSquare(t.mainCount, t.draws, 7);
    s[kBonusFrequencyTest] = NumberChiSquare(t.bonusCount, t.draws, 2);
    const int gaps = TotalGaps(t);
    s[kGapTest] = gaps > 0 ? ChiSquare(t.gapCount, gapLaw, gaps) : 0;
    s[kSumTest] = t.draws > 0 ? ChiSquare(t.sumCount, sumLaw, t.draws) : 0;
    s[kOddTest] = t.draws > 0 ? ChiSquare(t.oddCount, oddLaw, t.draws) : 0;
    s[kLowTest] = t.draws > 0 ? ChiSquare(t.lowCount, lowLaw, t.draws) : 0;
    s[kRepeatTest] = t.draws > 1 ? ChiSquare(t.repeatCount, repeatLaw, t.draws - 1) : 0;
    s[kPairTest] = PairChiSquare(t);
    s[kRunTest] = std::fabs(RunsZ(t));
    return s;
}

std::vector<ChartBar> RandomnessBars(const RandomnessTally& t, int test) {
    std::vector<ChartBar> bars;
    switch (test) {
        case kMainFrequencyTest:
        case kBonusFrequencyTest: {
            const auto& counts = test == kMainFrequencyTest ? t.mainCount : t.bonusCount;
            const double e = t.draws * (test == kMainFrequencyTest ? 7.0 : 2.0) / kPool;
            for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
                bars.push_back({Text(n), static_cast<double>(counts[n]), e});
            }
            return bars;
        }
        case kGapTest: {
            std::vector<std::string> labels;
            for (int g = 1; g < kGapBins; ++g) labels.push_back(Text(g) + "回");
            labels.push_back(Text(kGapBins) + "回以上");
            return Bars(t.gapCount, GapLaw(), TotalGaps(t), labels);
        }
        case kSumTest: {
            std::vector<std::string> labels;
            int first = 28;
            for (int s = 28; s <= 238; ++s) {
                if (s == 238 || SumBin(s + 1) != SumBin(s)) {
                    labels.push_back(Text(first) + "～" + Text(s));
                    first = s + 1;
                }
            }
            return Bars(t.sumCount, SumBinLaw(), t.draws, labels);
        }
        case kOddTest:
            return Bars(t.oddCount, CountBinLaw(19), t.draws, CountLabels("個"));
        case kLowTest:
            return Bars(t.lowCount, CountBinLaw(18), t.draws, CountLabels("個"));
        case kRepeatTest:
            return Bars(t.repeatCount, RepeatLaw(), std::max(0, t.draws - 1),
                        {"0個", "1個", "2個", "3個", "4個以上"});
        case kPairTest: {
            // How many pairs came c times: each pair's count is binomial.
            int most = 0;
            for (int c : t.pairCount) most = std::max(most, c);
            const double q = kPairShare;
            for (int c = 0; c <= most; ++c) {
                int pairs = 0;
                for (int a = 1; a <= kHighestNumber; ++a) {
                    for (int b = a + 1; b <= kHighestNumber; ++b) {
                        pairs += t.pairCount[a * (kHighestNumber + 1) + b] == c;
                    }
                }
                const double chance = std::exp(std::lgamma(t.draws + 1.0) - std::lgamma(c + 1.0) -
                                               std::lgamma(t.draws - c + 1.0) + c * std::log(q) +
                                               (t.draws - c) * std::log1p(-q));
                bars.push_back({Text(c) + "回", static_cast<double>(pairs), kPairs * chance});
            }
            return bars;
        }
        case kRunTest: {
            const double n1 = t.above, n2 = t.below, n = n1 + n2;
            const double meanRuns = n > 0 ? 2 * n1 * n2 / n + 1 : 0;
            const double tie = SumLaw()[kMedianSum];
            bars.push_back({"連の数", static_cast<double>(t.runs), meanRuns});
            bars.push_back({"中央値より上", n1, t.draws * (1 - tie) / 2});
            bars.push_back({"中央値より下", n2, t.draws * (1 - tie) / 2});
            return bars;
        }
        default:
            return bars;
    }
}
