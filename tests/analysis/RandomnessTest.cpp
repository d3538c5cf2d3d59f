#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "analysis/RandomnessAnalysis.h"
#include "analysis/RandomnessGrid.h"
#include "core/FairDraws.h"
#include "support/TestSupport.h"

namespace {

// A simulated p-value and the full run's differ by less than four of its
// standard errors: tens of comparisons here, each beyond that once in some
// ten thousand.
constexpr double kWithinErrors = 4;

DrawSets Sets(std::initializer_list<int> main, std::initializer_list<int> bonus) {
    DrawSets d;
    for (int n : main) d.main |= std::uint64_t{1} << n;
    for (int n : bonus) d.bonus |= std::uint64_t{1} << n;
    return d;
}

TEST(Randomness, StatisticsOfAThreeDrawHistoryEqualTheHandComputedOnes) {
    // Sums 28, 29 and 238: below, below, above the median 133.
    RandomnessTally tally;
    tally.Add(Sets({1, 2, 3, 4, 5, 6, 7}, {8, 9}));
    tally.Add(Sets({1, 2, 3, 4, 5, 6, 8}, {10, 11}));
    tally.Add(Sets({31, 32, 33, 34, 35, 36, 37}, {1, 2}));
    const auto s = RandomnessStatistics(tally);
    // Counts 2 (×6), 1 (×9), 0 (×22) against 21/37, times 36/30.
    EXPECT_NEAR(s[kMainFrequencyTest], 44.571428571428584, 1e-9);
    EXPECT_NEAR(s[kBonusFrequencyTest], 31.885714285714286, 1e-9);
    // Six gaps of one draw: 6 · (1 − p) / p with p = 7/37.
    EXPECT_NEAR(s[kGapTest], 180.0 / 7, 1e-9);
    // Odd numbers 4, 3, 4; numbers 1 … 18: 7, 7, 0; repeats 6, then 0.
    EXPECT_NEAR(s[kOddTest], 2.4976034858387792, 1e-9);
    EXPECT_NEAR(s[kLowTest], 39.06777581704007, 1e-9);
    EXPECT_NEAR(s[kRepeatTest], 34.51917684999073, 1e-9);
    EXPECT_NEAR(s[kPairTest], 920.1428571428565, 1e-7);
    // Two runs of one above and two below: mean 7/3, variance 2/9.
    EXPECT_NEAR(s[kRunTest], std::sqrt(0.5), 1e-12);
    EXPECT_EQ(tally.sumCount[0], 2);
    EXPECT_EQ(tally.sumCount[kSumBins - 1], 1);

    // The sum law: C(37, 7) sets, one each with sum 28 and 238, symmetric about 133.
    double total = 0, mean = 0;
    for (int sum = 0; sum <= 238; ++sum) {
        total += SumLaw()[sum];
        mean += sum * SumLaw()[sum];
        EXPECT_NEAR(SumLaw()[sum], SumLaw()[std::max(0, 266 - sum) > 238 ? 0 : 266 - sum], 1e-15);
    }
    EXPECT_NEAR(total, 1, 1e-12);
    EXPECT_NEAR(mean, 133, 1e-9);
    EXPECT_NEAR(SumLaw()[28] * 10295472, 1, 1e-9);
}

TEST(Randomness, FairHistoriesReadAsChiSquareWith36DegreesOfFreedom) {
    // The plain χ² of counts drawn without replacement has mean 37 − k; the
    // scaled one has mean 36 for the main and the bonus numbers alike.
    const std::optional<RandomnessReference> reference = SimulateRandomness(300, 4000, 17);
    ASSERT_TRUE(reference);
    for (int test : {kMainFrequencyTest, kBonusFrequencyTest}) {
        const auto& s = reference->sorted[test];
        const double mean = std::accumulate(s.begin(), s.end(), 0.0) / s.size();
        EXPECT_NEAR(mean, 36, 0.6) << RandomnessTestName(test);  // 4.5 standard errors
    }
    // The same seed gives the same figures.
    const std::optional<RandomnessReference> again = SimulateRandomness(300, 4000, 17);
    EXPECT_EQ(again->sorted, reference->sorted);
}

TEST(Randomness, OneNumberTwiceAsLikelyFailsTheFrequencyTest) {
    // Draws where number 1 weighs twice as much as any other.
    FairDraws random(8);
    std::vector<DrawSets> history;
    for (int d = 0; d < 689; ++d) {
        DrawSets sets;
        int drawn = 0;
        while (drawn < 7) {
            const int ticket = static_cast<int>(random.Next() % 38);  // 0 and 1 both draw 1
            const int n = ticket == 0 ? 1 : ticket;
            if (sets.main >> n & 1) continue;
            sets.main |= std::uint64_t{1} << n;
            ++drawn;
        }
        for (int n = 1; __builtin_popcountll(sets.bonus) < 2; ++n) {
            if (!(sets.main >> n & 1)) sets.bonus |= std::uint64_t{1} << n;
        }
        history.push_back(sets);
    }
    const std::optional<RandomnessReference> reference = SimulateRandomness(689, 2000, 3);
    RandomnessResult result = TestRandomness(history, *reference);
    EXPECT_NEAR(result.tests[kMainFrequencyTest].pValue, 1.0 / 2001, 1e-12);
    EXPECT_LT(result.tests[kMainFrequencyTest].holmPValue, 0.01);
    EXPECT_EQ(RandomnessConclusion(result).rfind(
                  "公平な抽せんとの食い違いがあります：「本数字の出現回数」は"
                  "強く食い違い（補正後のp = 0.0045）",
                  0),
              0u)
        << RandomnessConclusion(result);
}

// Stopping once clear gives every test the verdict all histories give, and
// a p-value within its stated error of theirs (three seeds), and a run that
// goes to the end is the full run.
TEST(Randomness, StoppingWhenClearKeepsTheFullRunsVerdicts) {
    const DrawStore& draws = RealHistory().Draws;
    const RandomnessRange range{1, 300};
    for (std::uint64_t seed : {std::uint64_t{1}, std::uint64_t{2}, kRandomnessSeed}) {
        SCOPED_TRACE(seed);
        const auto early = RunRandomness(draws, range, kRandomnessSimulations, seed);
        const auto full = RunRandomness(draws, range, kRandomnessSimulations, seed, {}, false);
        ASSERT_TRUE(early && full);
        EXPECT_LT(early->simulations, full->simulations);
        EXPECT_EQ(full->simulations, kRandomnessSimulations);
        EXPECT_EQ(RandomnessConclusion(*early), RandomnessConclusion(*full));
        for (int t = 0; t < kRandomnessTestCount; ++t) {
            const RandomnessOutcome& e = early->tests[t];
            EXPECT_LE(e.pError, kRandomnessTargetError) << t;
            EXPECT_NEAR(e.pValue, full->tests[t].pValue, kWithinErrors * e.pError) << t;
            EXPECT_EQ(e.holmPValue < kRandomnessLevel, full->tests[t].holmPValue < kRandomnessLevel)
                << t;
        }
    }
    // The full run is the reference simulated on its own.
    const auto full = RunRandomness(draws, range, 2000, 3, {}, false);
    const auto reference = SimulateRandomness(300, 2000, 3);
    ASSERT_TRUE(full && reference);
    const RandomnessResult alone = TestRandomness(RandomnessHistory(draws, range), *reference);
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        EXPECT_EQ(full->tests[t].pValue, alone.tests[t].pValue) << t;
    }
}

TEST(Randomness, HolmAdjustsStepDownAndTheConclusionReadsIt) {
    const std::array<double, kRandomnessTestCount> p = {0.004, 0.5, 0.006, 0.03, 0.9,
                                                        0.04,  0.2, 0.01,  0.05};
    const auto holm = HolmAdjust(p);
    // Sorted: 0.004·9, 0.006·8, 0.01·7, 0.03·6, 0.04·5, 0.05·4, 0.2·3, 0.5·2, 0.9.
    const std::array<double, kRandomnessTestCount> expected = {0.036, 1.0, 0.048, 0.18, 1.0,
                                                               0.2,   0.6, 0.07,  0.2};
    for (int t = 0; t < kRandomnessTestCount; ++t) EXPECT_NEAR(holm[t], expected[t], 1e-12) << t;

    RandomnessResult result;
    for (int t = 0; t < kRandomnessTestCount; ++t) result.tests[t].holmPValue = holm[t];
    EXPECT_EQ(RandomnessConclusion(result),
              "公平な抽せんとの食い違いがあります：「本数字の出現回数」は食い違い（補正後のp = "
              "0.036）、「出現間隔」は食い違い（補正後のp = 0.048）。");
    result.tests[kMainFrequencyTest].holmPValue = 0.05;
    result.tests[kGapTest].holmPValue = 0.0009;
    EXPECT_EQ(RandomnessConclusion(result),
              "公平な抽せんとの食い違いがあります：「出現間隔」は非常に強く食い違い（補正後のp < "
              "0.001）。");
    EXPECT_EQ(RandomnessVerdict(result.tests[kMainFrequencyTest]), "公平な抽せんと矛盾しません。");
    result.tests[kGapTest].holmPValue = 1;
    EXPECT_EQ(RandomnessConclusion(result), "抽せんは公平なものと矛盾しません。");
}

}  // namespace
