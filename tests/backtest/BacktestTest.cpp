#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "backtest/Backtest.h"
#include "backtest/BacktestGrid.h"
#include "data/SyntheticHistory.h"
#include "lotto/LotoChance.h"
#include "lotto/PrizeTier.h"
#include "prediction/PredictionTestSupport.h"
#include "prediction/ReflectionShift.h"

namespace {

DrawRecord CompleteDraw(std::initializer_list<int> nine) {
    DrawRecord draw;
    int field = 0;
    for (int n : nine) draw.Set(field++, static_cast<std::int16_t>(n));
    return draw;
}

// Two significant digits below 1, one decimal from 1 on; a value rounding up
// to the next power of ten reads as that power does, so p = 0.998 and p = 1
// both show 「1.0」 in one column.
TEST(BacktestGrid, FiguresKeepOneFormAcrossAPowerOfTen) {
    const std::pair<double, const char*> cases[] = {{0.998, "1.0"},
                                                    {1.0, "1.0"},
                                                    {0.9949, "0.99"},
                                                    {0.0996, "0.10"},
                                                    {0.1, "0.10"},
                                                    {0.21, "0.21"},
                                                    {0.072, "0.072"},
                                                    {0.00061, "0.00061"},
                                                    {0.0000092, "0.0000092"},
                                                    {14.9, "14.9"},
                                                    {0, "0"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatFigure(value), text) << value;
}

TEST(PrizeTier, WorkedTicketsAgainstMain1To7AndBonus8And9) {
    const DrawRecord draw = CompleteDraw({4, 1, 7, 2, 6, 3, 5, 8, 9});
    const struct {
        std::vector<int> ticket;
        int main, bonus, tier;
    } cases[] = {
        {{7, 6, 5, 4, 3, 2, 1}, 7, 0, 1},
        {{1, 2, 3, 4, 5, 6, 9}, 6, 1, 2},   // six and a bonus number
        {{1, 2, 3, 4, 5, 6, 10}, 6, 0, 3},  // six without one
        {{1, 2, 3, 4, 5, 8, 9}, 5, 2, 4},   // bonus numbers do not lift five
        {{1, 2, 3, 4, 10, 11, 12}, 4, 0, 5},
        {{1, 2, 3, 8, 10, 11, 12}, 3, 1, 6},   // three and a bonus number
        {{1, 2, 3, 10, 11, 12, 13}, 3, 0, 0},  // three without one: nothing
        {{1, 2, 8, 9, 10, 11, 12}, 2, 2, 0},
        {{1, 2, 3, 4, 5, 6}, 6, 0, 0},       // fewer than seven: matches only
        {{1, 2, 3, 4, 5, 6, 6}, 6, 0, 0},    // a repeat is one number
        {{1, 2, 3, 8, 10, 11, 0}, 3, 1, 0},  // 0 is no lottery number
    };
    for (const auto& c : cases) {
        const TicketScore score = ScoreTicket(c.ticket, draw);
        EXPECT_EQ(score.mainMatches, c.main) << ::testing::PrintToString(c.ticket);
        EXPECT_EQ(score.bonusMatches, c.bonus) << ::testing::PrintToString(c.ticket);
        EXPECT_EQ(score.tier, c.tier) << ::testing::PrintToString(c.ticket);
    }
}

TEST(LotoChance, FiguresEqualTheHandCountedOnes) {
    // C(37, 7) main-number sets, all equally likely.
    constexpr long double kSets = 10295472;
    EXPECT_EQ(Binomial(37, 7), 10295472u);
    EXPECT_EQ(Binomial(60, 30), 118264581564861424u);
    const auto near = [](long double actual, long double expected) {
        EXPECT_NEAR(static_cast<double>(actual / expected), 1.0, 1e-12);
    };
    // 1等: the one set equal to the ticket.
    near(TierProbability(1), 1 / kSets);
    // 6 main matches: C(7,6)·C(30,1) = 210 sets; the ticket's seventh number
    // is among the two bonus numbers drawn from the other 30 in 2/30 of them:
    // 2等 14, 3等 196.
    near(TierProbability(2), 14 / kSets);
    near(TierProbability(3), 196 / kSets);
    // 4等: C(7,5)·C(30,2) = 21·435; 5等: C(7,4)·C(30,3) = 35·4060.
    near(TierProbability(4), 9135 / kSets);
    near(TierProbability(5), 142100 / kSets);
    // 6等: C(7,3)·C(30,4) = 35·27405 sets, and a bonus pair holding one of
    // the ticket's other four: 1 − C(26,2)/C(30,2) = 110/435 → 242550.
    near(TierProbability(6), 242550 / kSets);

    near(ExpectedMainMatches(7), 49.0L / 37);
    near(MainMatchProbability(7, 0), 2035800 / kSets);  // C(30,7)
    near(MainMatchProbability(3, 3), 35.0L / 7770);     // C(7,3)/C(37,3)
    // One row of seven: 7·(7/37)·(30/37)·(30/36).  Two rows of seven with
    // no number in common score like one row of fourteen, 14·(7/37)·(30/37)·(23/36);
    // two equal rows score twice one row: four times its variance.
    near(MainMatchTotalVariance(7, 7), 7.0L * 7 * 30 * 30 / (37 * 37 * 36));
    near(MainMatchTotalVariance(14, 14), 14.0L * 7 * 30 * 23 / (37 * 37 * 36));
    near(MainMatchTotalVariance(14, 28), 4 * MainMatchTotalVariance(7, 7));
    EXPECT_NEAR(TwoSidedPValue(-1.959964), 0.05, 1e-6);
}

// The non-empty number rows of the window's grids, as tickets by method.
PredictionTickets WindowTickets(const PredictionModel& model) {
    PredictionTickets tickets;
    const auto add = [&](int method, int grid, int row) {
        Ticket numbers;
        for (const std::string& cell : NumberRow(model.Grid(grid), row)) {
            if (!cell.empty()) numbers.push_back(std::stoi(cell));
        }
        if (!numbers.empty()) tickets[method].push_back(numbers);
    };
    for (int c = 0; c < 4; ++c) add(c, kCycleGrid, c + 2);
    for (int row = 2; row <= 4; ++row) add(kEliminationMethod, kEliminationGrid, row);
    for (int row = 2; row <= 3; ++row) add(kRapidFireMethod, kRapidFireGrid, row);
    add(kOneShotMethod, kOneShotGrid, 2);
    return tickets;
}

GlobalBas DrawsBefore(const GlobalBas& history, int drawNumber) {
    std::vector<DrawRecord> rows;
    for (const DrawRecord& row : history.Draws.Rows()) {
        if (row.drawNumber < drawNumber) rows.push_back(row);
    }
    GlobalBas g;
    g.Draws = DrawStore(std::move(rows));
    DeriveStatistics(g);
    return g;
}

TEST(Backtest, ReplayedTicketsAreTheWindowsRowsOnTheHistoryBeforeEachDraw) {
    const GlobalBas& history = RealHistory();
    const struct {
        std::vector<int> flags;
        BacktestRange whole;
    } settings[] = {
        {{}, {19, 689}},       // the elimination reads back to L − 17, the cycles to L − 12
        {{1, 10}, {50, 689}},  // moved back 15 + 16 = 31 draws
    };
    for (const auto& setting : settings) {
        ReflectOptions options;
        for (int flag : setting.flags) options.SetFlag(flag, true);
        const std::optional<BacktestRange> whole = DefaultBacktestRange(history.Draws, options);
        ASSERT_TRUE(whole);
        EXPECT_EQ(*whole, setting.whole);
        const std::vector<int> checked = {whole->from, whole->from + 1, 333, 688, 689};
        std::map<int, PredictionTickets> replayed;
        ReplayPredictions(history.Draws, ComputeReflectionShift(options), *whole,
                          [&](const DrawRecord& draw, const PredictionTickets& tickets) {
                              if (std::count(checked.begin(), checked.end(), draw.drawNumber)) {
                                  replayed[draw.drawNumber] = tickets;
                              }
                              return true;
                          });
        for (int t : checked) {
            SCOPED_TRACE("draw " + std::to_string(t));
            PredictionModel model;
            for (int flag : setting.flags) model.SetOption(flag, true);
            model.Load(DrawsBefore(history, t));
            ASSERT_EQ(replayed.count(t), 1u);
            const PredictionTickets window = WindowTickets(model);
            for (int m = 0; m < kBacktestMethodCount; ++m) {
                EXPECT_EQ(replayed[t][m], window[m]) << BacktestMethodName(m);
            }
            for (int m = 0; m < kBacktestMethodCount; ++m) EXPECT_FALSE(window[m].empty()) << m;
        }
    }
}

TEST(Backtest, OnRandomDrawsEveryMethodScoresLikeChance) {
    DrawStore draws(SyntheticDraws(2000, 7));
    ReflectOptions options;
    options.SetFlag(4, true);  // moved back 10 draws
    const std::optional<BacktestRange> range = DefaultBacktestRange(draws, options);
    ASSERT_TRUE(range);
    std::vector<int> reported;
    const BacktestResult result = RunBacktest(draws, options, *range, [&](int done, int total) {
        EXPECT_EQ(total, 2000 - 28);
        reported.push_back(done);
        return true;
    });
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.draws, 2000 - 28);
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        SCOPED_TRACE(std::string(BacktestMethodName(m)));
        const MethodScore& s = result.methods[m];
        ASSERT_GE(s.tickets, result.draws);
        const double standardError = std::sqrt(s.mainMatchVariance) / s.tickets;
        EXPECT_LT(std::fabs(s.MeanMatches() - s.ExpectedMeanMatches()), 4 * standardError);
        EXPECT_LT(std::fabs(s.tierCounts[6] - s.expectedTierCounts[6]),
                  4 * std::sqrt(s.expectedTierCounts[6]));
        EXPECT_GT(s.PValue(), 0.0);
    }
    // Reported from 0 at least every eight draws up to the last.
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), 0);
    EXPECT_EQ(reported.back(), result.draws);
    for (std::size_t i = 1; i < reported.size(); ++i) EXPECT_LE(reported[i] - reported[i - 1], 8);

    const BacktestResult stopped =
        RunBacktest(draws, options, *range, [](int done, int) { return done < 100; });
    EXPECT_FALSE(stopped.completed);
    EXPECT_GE(stopped.draws, 100);
    EXPECT_LT(stopped.draws, 110);
    // A stopped run still sums what it scored: each method's law of total
    // matches reaches as far as all its scored tickets together.
    for (const MethodScore& s : stopped.methods) {
        std::size_t support = 1;
        for (const auto& [law, count] : s.drawLaws) support += (law.size() - 1) * count;
        EXPECT_GT(support, 100u);
        EXPECT_EQ(s.totalLaw.size(), support);
    }
}

}  // namespace
