#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <random>

#include "backtest/Backtest.h"
#include "backtest/BacktestFamily.h"
#include "backtest/MatchLaw.h"
#include "core/FigureText.h"
#include "data/SyntheticHistory.h"
#include "lotto/LotoChance.h"
#include "lotto/PrizeTier.h"
#include "prediction/LoadDrawMatrix.h"
#include "support/TestSupport.h"

namespace {

// A simulated p-value and the full run's differ by less than four of its
// standard errors: tens of comparisons here, each beyond that once in some
// ten thousand.
constexpr double kWithinErrors = 4;

constexpr double kSets = 10295472;  // C(37, 7)

// Counts, over every one of the C(37, 7) main sets, the total matches of
// rows holding each number holding[n] times.
std::vector<long long> CountTotals(const std::array<int, kHighestNumber + 1>& holding) {
    std::vector<long long> counts(7 * 37 + 1, 0);
    // Every 37-bit word with seven bits set, in order (Gosper's hack).
    for (std::uint64_t set = (1ull << 7) - 1; set < (1ull << 37);) {
        int total = 0;
        for (std::uint64_t s = set; s != 0; s &= s - 1) total += holding[std::countr_zero(s) + 1];
        ++counts[total];
        const std::uint64_t low = set & -set;
        const std::uint64_t ripple = set + low;
        set = (((ripple ^ set) >> 2) / low) | ripple;
    }
    while (counts.size() > 1 && counts.back() == 0) counts.pop_back();
    return counts;
}

// The two-sided p-value by its definition: the chance of every outcome no
// more likely than the one seen.
double PByDefinition(const std::vector<double>& law, std::size_t seen) {
    double p = 0;
    for (double q : law) {
        if (q <= law[seen] * (1 + 1e-9)) p += q;
    }
    return p;
}

TEST(MatchLaw, OneAndTwoDrawsEqualCountingEveryMainSet) {
    // Rows sharing numbers: 5, 6, 7 are in two rows, 1 in three.
    std::array<int, kHighestNumber + 1> first{};
    for (int n : {1, 2, 3, 4, 5, 6, 7}) ++first[n];
    for (int n : {5, 6, 7, 8, 9, 10, 1}) ++first[n];
    for (int n : {1, 20, 30}) ++first[n];
    std::array<int, kHighestNumber + 1> second{};  // one row of seven
    for (int n : {11, 12, 13, 14, 15, 16, 17}) ++second[n];

    const std::vector<long long> counted = CountTotals(first);
    const MatchLaw law = DrawMatchLaw(first);
    ASSERT_EQ(law.size(), counted.size());
    for (std::size_t x = 0; x < law.size(); ++x) EXPECT_NEAR(law[x] * kSets, counted[x], 1e-6) << x;

    // Remembered laws go by how the rows overlap, not by which numbers: the
    // same seven rows moved to other numbers read the remembered law.
    DrawMatchLaws remembered;
    std::array<int, kHighestNumber + 1> moved{};
    for (int n = 1; n <= kHighestNumber; ++n) moved[n] = first[kHighestNumber + 1 - n];
    const MatchLaw& once = remembered.LawOf(first);
    EXPECT_EQ(once, law);
    EXPECT_EQ(&remembered.LawOf(moved), &once);
    EXPECT_EQ(remembered.LawOf(second), DrawMatchLaw(second));

    const std::vector<long long> single = CountTotals(second);
    std::vector<double> both(counted.size() + single.size() - 1, 0.0);
    for (std::size_t i = 0; i < counted.size(); ++i) {
        for (std::size_t j = 0; j < single.size(); ++j) {
            both[i + j] += static_cast<double>(counted[i]) * single[j] / (kSets * kSets);
        }
    }
    const MatchLaw convolved = Convolve(law, DrawMatchLaw(second));
    const std::vector<double> p = TwoSidedExactPValues(convolved);
    ASSERT_EQ(convolved.size(), both.size());
    for (std::size_t x = 0; x < both.size(); ++x) {
        EXPECT_NEAR(convolved[x], both[x], 1e-15) << x;
        EXPECT_NEAR(p[x], PByDefinition(both, x), 1e-12) << x;
    }

    // Long ranges sum through the Fourier transform: the same law as
    // convolving draw by draw, to 1e-14, beyond the direct limit.
    std::map<MatchLaw, int> many = {{law, 150}, {DrawMatchLaw(second), 90}};
    MatchLaw direct{1.0};
    for (const auto& [one, count] : many) {
        for (int i = 0; i < count; ++i) direct = Convolve(direct, one);
    }
    ASSERT_GT(direct.size(), kDirectSupport);
    const MatchLaw transformed = SumOfLaws(many);
    ASSERT_LE(transformed.size(), direct.size());
    for (std::size_t x = 0; x < direct.size(); ++x) {
        EXPECT_NEAR(x < transformed.size() ? transformed[x] : 0.0, direct[x], 1e-14) << x;
    }

    // One row of seven matching four: 4, 5, 6 and 7 matches are no more
    // likely, (142100 + 9135 + 210 + 1) / C(37, 7), not twice a tail.
    const std::vector<double> row = TwoSidedExactPValues(DrawMatchLaw(second));
    EXPECT_NEAR(row[4], 151446 / kSets, 1e-15);
    EXPECT_NEAR(row[1], 1.0, 1e-12);  // one match is the likeliest total
    EXPECT_NEAR(SmallestExactPValue(DrawMatchLaw(second)), 1 / kSets, 1e-18);
}

BacktestResult Replay(const GlobalBas& history, const std::vector<int>& flags,
                      BacktestRange range) {
    ReflectOptions options;
    for (int flag : flags) options.SetFlag(flag, true);
    return RunBacktest(history.Draws, options, range);
}

// A replay of thousands of draws raises each transformed law to a power in
// the thousands: a match in a quarter of the draws, 5000 times over, is
// Binomial(5000, 1/4) to within 5000 roundings of each probability.
TEST(MatchLaw, ThousandsOfDrawsSumToTheBinomialLaw) {
    constexpr int kDraws = 5000;
    const MatchLaw sum = SumOfLaws({{MatchLaw{0.75, 0.25}, kDraws}});
    long double exact = std::pow(0.75L, kDraws);  // Binomial(5000, 1/4) at 0
    for (int x = 0; x <= kDraws; ++x) {
        const double got = x < static_cast<int>(sum.size()) ? sum[static_cast<std::size_t>(x)] : 0;
        ASSERT_NEAR(got, static_cast<double>(exact), 2e-13) << x;
        exact *= static_cast<long double>(kDraws - x) / (x + 1) / 3;
    }
    EXPECT_NEAR(sum[1250], 0.0130284593391652, 2e-13);  // the likeliest total, n p
}

TEST(Backtest, BundledHistoryFiguresArePinned) {
    const BacktestResult all = Replay(RealHistory(), {}, {19, 689});
    const MethodScore& cycle7 = all.methods[0];
    EXPECT_EQ(cycle7.tickets, 671);
    EXPECT_NEAR(cycle7.expectedTierCounts[6], 14.912783988922651, 1e-9);
    EXPECT_NEAR(cycle7.expectedTierCounts[5], 8.736782538964723, 1e-9);
    const double shares[] = {0.20272979562532303,    0.40523037483325375,  0.28703879147420797,
                             0.09081870912767878,    0.013314360519988409, 0.0008485134530757339,
                             1.9363337055925573e-05, 9.162941799098965e-08};
    for (int m = 0; m <= 7; ++m) EXPECT_NEAR(cycle7.ExpectedMatchShare(m), shares[m], 1e-15) << m;
    EXPECT_NEAR(cycle7.PValue(), 0.20968365541841189, 1e-9);
    EXPECT_NEAR(cycle7.ExactPValue(), 0.21864976924514432, 1e-9);
    const MethodScore& elimination = all.methods[kEliminationMethod];
    EXPECT_NEAR(elimination.ZValue(), -1.79824, 1e-5);
    EXPECT_NEAR(elimination.PValue(), 0.07213969362278387, 1e-9);
    EXPECT_NEAR(elimination.ExactPValue(), 0.07451794179366733, 1e-9);
    EXPECT_EQ(BacktestVerdict(elimination),
              "偶然と比べて統計的に有意な差はありません（p = 0.075）。");

    // One draw: the normal approximation called 9回周期法 and 11回周期法
    // significant; exactly they are not, and the family finds nothing.
    struct {
        int draw;
        int method;
        double normal, exact, family;
    } const cases[] = {
        {24, 1, 0.029796264578580915, 0.08558558558558559, 0.21968780312196878},
        {24, kOneShotMethod, 0.00467562658909553, 151446 / kSets, 0.08564914350856491},
        {25, 2, 0.0029854708912688153, 0.03153153153153153, 0.08294917050829492},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("draw " + std::to_string(c.draw));
        BacktestResult one = Replay(RealHistory(), {}, {c.draw, c.draw});
        BacktestResult full = one;
        // All 100,000 histories: the figure to the last digit.
        ASSERT_TRUE(AddFamilyPValues(full, kFamilySimulations, kFamilySeed, {}, false));
        EXPECT_EQ(full.familySimulations, kFamilySimulations);
        EXPECT_NEAR(full.methods[c.method].familyPValue, c.family, 1e-12);
        // Stopped once clear: the same histories fewer, the same figure
        // within its stated error, the same verdict.
        ASSERT_TRUE(AddFamilyPValues(one));
        EXPECT_EQ(one.familySeed, kFamilySeed);
        EXPECT_LT(one.familySimulations, kFamilySimulations);
        EXPECT_EQ(one.familyMaxSimulations, kFamilySimulations);
        const MethodScore& s = one.methods[c.method];
        EXPECT_NEAR(s.PValue(), c.normal, 1e-9);
        EXPECT_NEAR(s.ExactPValue(), c.exact, 1e-9);
        EXPECT_LE(s.familyPError, kFamilyTargetError);
        EXPECT_NEAR(s.familyPValue, c.family, kWithinErrors * s.familyPError);
        EXPECT_EQ(BacktestSummary(one), "7つの方法のいずれも、偶然と区別できません。");
    }
}

TEST(Backtest, AllOptionsOneShotIsNotSignificantOnceAdjustedForSevenMethods) {
    BacktestResult all = Replay(RealHistory(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {111, 689});
    BacktestResult full = all;
    ASSERT_TRUE(AddFamilyPValues(full, kFamilySimulations, kFamilySeed, {}, false));
    EXPECT_NEAR(full.methods[kOneShotMethod].familyPValue, 0.16981830181698182, 1e-12);
    ASSERT_TRUE(AddFamilyPValues(all));
    const MethodScore& oneShot = all.methods[kOneShotMethod];
    EXPECT_NEAR(oneShot.ExactPValue(), 0.027975305815702876, 1e-9);
    EXPECT_NEAR(oneShot.familyPValue, 0.16981830181698182, kWithinErrors * oneShot.familyPError);
    // The figure the verdict gives, with its error, from the histories made.
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "偶然と比べて統計的に有意な差はありません（7手法で補正したp = %.2f（±%.1g）、"
                  "補正前のp = 0.028）。",
                  oneShot.familyPValue, oneShot.familyPError);
    EXPECT_EQ(BacktestVerdict(oneShot), expected);
    EXPECT_EQ(SimulationErrorText(0.0082), "（±0.008）");
    EXPECT_EQ(SimulationErrorText(0.012), "（±0.01）");
    EXPECT_EQ(SimulationErrorText(0.00002), "（±0.0001未満）");
    EXPECT_EQ(SimulationErrorText(std::nan("")), "");
}

// A score of `draws` rows of seven with the given total and adjusted p.
MethodScore Score(int draws, long long matches, double family) {
    std::array<int, kHighestNumber + 1> holding{};
    for (int n = 1; n <= 7; ++n) holding[n] = 1;
    MethodScore s;
    s.tickets = draws;
    s.mainMatches = matches;
    s.expectedMainMatches = draws * 49.0 / 37;
    s.mainMatchVariance = draws * static_cast<double>(MainMatchTotalVariance(7, 7));
    for (int d = 0; d < draws; ++d) s.totalLaw = Convolve(s.totalLaw, DrawMatchLaw(holding));
    s.familyPValue = family;
    return s;
}

TEST(BacktestVerdict, ReadsTheAdjustedPValueItsDirectionAndTheLevelItself) {
    const std::string noDifference = "偶然と比べて統計的に有意な差はありません";
    const struct {
        MethodScore score;
        std::string verdict;
    } cases[] = {
        {Score(100, 160, 0.05),
         noDifference + "（7手法で補正したp = 0.050、補正前のp = 0.0043）。"},
        {Score(100, 160, 0.0499),
         "偶然より平均一致数が多く、5%水準で有意です（7手法で補正したp = 0.0499、補正前のp = "
         "0.0043）。ただし過去の結果は将来の当選を保証しません。"},
        {Score(100, 100, 0.012),
         "偶然より平均一致数が少なく、5%水準で有意です（7手法で補正したp = 0.012、補正前のp < "
         "0."
         "001）。抽せんは毎回独立しているので、この手法の数字を避けても当たりやすくはなりません。"},
        {Score(100, 100, std::nan("")),
         "偶然より平均一致数が少なく、5%水準で有意です（p < 0.001）。抽せんは毎回独立しているので、"
         "この手法の数字を避けても当たりやすくはなりません。"},
        {Score(0, 0, std::nan("")), "検証できる予想がありませんでした。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BacktestVerdict(c.score), c.verdict) << c.score.mainMatches;
    }

    // One number on one draw: even a match has chance 7/37, far above 5 %.
    MethodScore single;
    single.tickets = 1;
    single.mainMatches = 1;
    single.expectedMainMatches = 7.0 / 37;
    single.mainMatchVariance = static_cast<double>(MainMatchTotalVariance(1, 1));
    std::array<int, kHighestNumber + 1> one{};
    one[5] = 1;
    single.totalLaw = DrawMatchLaw(one);
    single.familyPValue = 0.001;
    EXPECT_TRUE(single.TooFewDraws());
    EXPECT_EQ(BacktestVerdict(single),
              "検証した回数が少なすぎて判定できません（どんな結果でも5%水準で有意になりません）。");
}

DrawRecord MakeDraw(int number, std::vector<int> main, const std::vector<int>& bonus) {
    std::sort(main.begin(), main.end());
    DrawRecord draw;
    draw.drawNumber = static_cast<std::int16_t>(number);
    for (int i = 0; i < 7; ++i) draw.Set(i, static_cast<std::int16_t>(main[i]));
    draw.Set(kBonus1, static_cast<std::int16_t>(bonus[0]));
    draw.Set(kBonus2, static_cast<std::int16_t>(bonus[1]));
    return draw;
}

// Thirty random draws, then thirty chosen from the rows predicted before
// each: four numbers of the one-shot row (towards), or no number of the
// rapid-fire rows (away).
DrawStore Steered(bool towards) {
    std::vector<DrawRecord> draws = SyntheticDraws(30, 11);
    DrawMatrix matrix;
    CycleTable cycles;
    for (const DrawRecord& d : draws) LoadDraw(d, matrix, cycles);
    for (int t = 31; t <= 60; ++t) {
        const PredictionTickets tickets = ComputePredictionTickets(matrix, cycles, t - 1, 0);
        std::vector<int> main;
        std::uint64_t avoid = 0;
        if (towards) {
            const Ticket& row = tickets[kOneShotMethod].at(0);
            main.assign(row.begin(), row.begin() + 4);
            avoid = NumberSet(row);
        } else {
            for (const Ticket& row : tickets[kRapidFireMethod]) avoid |= NumberSet(row);
        }
        std::vector<int> others;
        for (int n = 1; n <= 37; ++n) {
            if (!((avoid >> n) & 1)) others.push_back(n);
        }
        std::shuffle(others.begin(), others.end(), std::mt19937(t));
        while (main.size() < 7) main.push_back(others[main.size() - (towards ? 4 : 0)]);
        const std::vector<int> bonus = {others[10], others[11]};
        draws.push_back(MakeDraw(t, main, bonus));
        LoadDraw(draws.back(), matrix, cycles);
    }
    return DrawStore(std::move(draws));
}

TEST(Backtest, SteeredHistoriesAreSignificantInTheirDirection) {
    const struct {
        bool towards;
        int method;
        std::string verdict, summary;
    } cases[] = {
        {true, kOneShotMethod,
         "偶然より平均一致数が多く、5%水準で有意です（7手法で補正したp < 0.001",
         "7つの方法のうち、連発予想（p < 0.001）、１発予想（p < "
         "0.001）は偶然より平均一致数が多く、"},
        {false, kRapidFireMethod,
         "偶然より平均一致数が少なく、5%水準で有意です（7手法で補正したp < 0.001",
         "１発予想（p < 0.001）は偶然より平均一致数が少なく、"},
    };
    for (const auto& c : cases) {
        BacktestResult result = RunBacktest(Steered(c.towards), ReflectOptions(), {31, 60});
        ASSERT_EQ(result.draws, 30);
        ASSERT_TRUE(AddFamilyPValues(result, 2000, 5));
        const MethodScore& s = result.methods[c.method];
        EXPECT_EQ(BacktestVerdict(s).rfind(c.verdict, 0), 0u) << BacktestVerdict(s);
        EXPECT_NE(BacktestSummary(result).find(c.summary), std::string::npos)
            << BacktestSummary(result);
    }
}

// Stopping once clear gives every method the verdict all 100,000 histories
// give, and a figure within its stated error of theirs: three seeds on the
// bundled history, and the steered histories.
TEST(BacktestFamily, StoppingWhenClearKeepsTheFullRunsVerdicts) {
    std::vector<BacktestResult> replays = {Replay(RealHistory(), {}, {600, 689}),
                                           RunBacktest(Steered(true), ReflectOptions(), {31, 60}),
                                           RunBacktest(Steered(false), ReflectOptions(), {31, 60})};
    for (std::size_t r = 0; r < replays.size(); ++r) {
        for (std::uint64_t seed : {std::uint64_t{1}, std::uint64_t{2}, kFamilySeed}) {
            if (r > 0 && seed != kFamilySeed) continue;
            SCOPED_TRACE("replay " + std::to_string(r) + " seed " + std::to_string(seed));
            BacktestResult early = replays[r];
            BacktestResult full = replays[r];
            ASSERT_TRUE(AddFamilyPValues(early, kFamilySimulations, seed));
            ASSERT_TRUE(AddFamilyPValues(full, kFamilySimulations, seed, {}, false));
            EXPECT_LT(early.familySimulations, full.familySimulations);
            for (int m = 0; m < kBacktestMethodCount; ++m) {
                const MethodScore& e = early.methods[m];
                const MethodScore& f = full.methods[m];
                EXPECT_EQ(e.VerdictPValue() < kSignificanceLevel,
                          f.VerdictPValue() < kSignificanceLevel)
                    << m;
                if (std::isnan(e.familyPError)) {
                    EXPECT_EQ(e.familyPValue, e.ExactPValue()) << m;
                } else {
                    EXPECT_NEAR(e.familyPValue, f.familyPValue,
                                kWithinErrors * e.familyPError + 1e-12)
                        << m;
                }
            }
        }
    }
}

TEST(BacktestFamily, AgreesWithAPlainSimulationAndRepeatsWithItsSeed) {
    const BacktestRange range{24, 33};
    std::vector<PredictionTickets> replayed;
    ReplayPredictions(RealHistory().Draws, 0, range,
                      [&](const DrawRecord&, const PredictionTickets& t) {
                          replayed.push_back(t);
                          return true;
                      });
    BacktestResult result = Replay(RealHistory(), {}, range);
    BacktestResult again = result;
    ASSERT_TRUE(AddFamilyPValues(result, 20000, 99, {}, false));
    ASSERT_TRUE(AddFamilyPValues(again, 20000, 99, {}, false));

    // Fair draws scored ticket by ticket; the largest |z| of the seven.
    constexpr int kRuns = 20000;
    std::mt19937_64 random(3);
    std::vector<int> pool(37);
    std::iota(pool.begin(), pool.end(), 1);
    std::vector<double> largest;
    for (int run = 0; run < kRuns; ++run) {
        std::array<long long, kBacktestMethodCount> totals{};
        for (const PredictionTickets& tickets : replayed) {
            std::shuffle(pool.begin(), pool.end(), random);
            const DrawRecord draw =
                MakeDraw(1, {pool.begin(), pool.begin() + 7}, {pool[7], pool[8]});
            for (int m = 0; m < kBacktestMethodCount; ++m) {
                for (const Ticket& row : tickets[m])
                    totals[m] += ScoreTicket(row, draw).mainMatches;
            }
        }
        double most = 0;
        for (int m = 0; m < kBacktestMethodCount; ++m) {
            const MethodScore& s = result.methods[m];
            most = std::max(most, std::fabs(totals[m] - s.expectedMainMatches) /
                                      std::sqrt(s.mainMatchVariance));
        }
        largest.push_back(most);
    }
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        const MethodScore& s = result.methods[m];
        SCOPED_TRACE(std::string(BacktestMethodName(m)));
        EXPECT_EQ(s.familyPValue, again.methods[m].familyPValue);
        const double z = std::fabs(s.ZValue()) * (1 - 1e-9);
        const double plain = std::max(
            s.ExactPValue(), static_cast<double>(std::count_if(largest.begin(), largest.end(),
                                                               [&](double x) { return x >= z; })) /
                                 kRuns);
        EXPECT_NEAR(s.familyPValue, plain, 4 * std::sqrt(plain * (1 - plain) / kRuns) + 2e-4);
        EXPECT_GE(s.familyPValue, s.ExactPValue());
    }
}

}  // namespace
