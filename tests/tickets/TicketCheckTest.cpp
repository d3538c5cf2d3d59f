#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/GridDump.h"
#include "core/GridStyle.h"
#include "lotto/LotoChance.h"
#include "support/TestSupport.h"
#include "support/TicketSupport.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketGrids.h"

namespace {

// Draw 1: main 1 … 7, bonus 8 and 9.
const GlobalBas& OneDraw() {
    static const GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    return g;
}

struct WorkedTicket {
    std::array<int, kTicketNumberCount> numbers;
    int main, bonus, tier;
};

// Each tier and the near misses beside it, counted by hand against draw 1.
const WorkedTicket kWorked[] = {
    {{1, 2, 3, 4, 5, 6, 7}, 7, 0, 1},    {{1, 2, 3, 4, 5, 6, 8}, 6, 1, 2},
    {{1, 2, 3, 4, 5, 6, 10}, 6, 0, 3},   {{1, 2, 3, 4, 5, 8, 9}, 5, 2, 4},
    {{1, 2, 3, 4, 8, 10, 11}, 4, 1, 5},  {{1, 2, 3, 8, 10, 11, 12}, 3, 1, 6},
    {{1, 2, 3, 8, 9, 10, 11}, 3, 2, 6},  {{1, 2, 3, 10, 11, 12, 13}, 3, 0, 0},
    {{1, 2, 8, 9, 10, 11, 12}, 2, 2, 0}, {{10, 11, 12, 13, 14, 15, 16}, 0, 0, 0},
};

TEST(TicketCheckTest, WorkedTicketsWinTheTiersCountedByHand) {
    const DrawMasks draws(OneDraw().Draws);
    for (const WorkedTicket& w : kWorked) {
        const std::vector<TicketOutcome> outcomes = CheckTicket(MakeTicket(1, 1, w.numbers), draws);
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].drawn);
        EXPECT_EQ(outcomes[0].score.mainMatches, w.main) << NumbersText(w.numbers);
        EXPECT_EQ(outcomes[0].score.bonusMatches, w.bonus) << NumbersText(w.numbers);
        EXPECT_EQ(outcomes[0].score.tier, w.tier) << NumbersText(w.numbers);
        // The back-test scores the same row alike.
        EXPECT_EQ(ScoreTicket(w.numbers, OneDraw().Draws.Rows()[0]).tier, w.tier);
    }
}

TEST(TicketCheckTest, AContinuedTicketIsPendingForDrawsNotStoredAndSumsPerUnit) {
    const GlobalBas g = MakeGlobals(
        {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), Draw(2, {1, 2, 3, 4, 5, 10, 11, 12, 13})});
    const DrawMasks draws(g.Draws);
    const PurchasedTicket t = MakeTicket(1, 3, {1, 2, 3, 4, 5, 6, 7}, 2);
    const std::vector<TicketOutcome> o = CheckTicket(t, draws);
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[0].score.tier, 1);
    EXPECT_EQ(o[1].score.tier, 4);
    EXPECT_FALSE(o[2].drawn);

    const PurchasedTicket other = MakeTicket(2, 2, {20, 21, 22, 23, 24, 25, 26}, 1, 2);
    const std::vector<PurchasedTicket> book{t, other};
    const TicketSummary all =
        SummariseTickets(std::span<const PurchasedTicket>(book), draws, [](int) { return true; });
    EXPECT_EQ(all.tickets, 2);
    EXPECT_EQ(all.units, 7);
    EXPECT_EQ(all.cost, 2100);
    EXPECT_EQ(all.unitsByTier[1], 2);
    EXPECT_EQ(all.unitsByTier[4], 2);
    EXPECT_EQ(all.unitsByTier[0], 1);
    EXPECT_EQ(all.pendingUnits, 2);
    const TicketSummary draw3 = SummariseTickets(std::span<const PurchasedTicket>(book), draws,
                                                 [](int n) { return n == 3; });
    EXPECT_EQ(draw3.tickets, 1);
    EXPECT_EQ(draw3.units, 2);
    EXPECT_EQ(draw3.pendingUnits, 2);
}

// The latest draws of the bundled history: 688 is 4 21 25 28 30 35 37 / 12 16,
// 689 is 4 18 23 24 32 33 35 / 29 36.
TEST(TicketCheckTest, TheNumbersOfDraw689WinTier1There_AndTwoMatchesIn688) {
    const DrawMasks draws(RealHistory().Draws);
    const std::array<int, kTicketNumberCount> numbers{4, 18, 23, 24, 32, 33, 35};
    const auto o = CheckTicket(MakeTicket(688, 689, numbers), draws);
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0].score.mainMatches, 2);  // 4 and 35
    EXPECT_EQ(o[0].score.bonusMatches, 0);
    EXPECT_EQ(o[0].score.tier, 0);
    EXPECT_EQ(o[1].score.tier, 1);
}

TEST(TicketCheckTest, QuickCheckOfEveryStoredDrawFindsItAsTier1AndAgreesWithABruteForceCount) {
    const GlobalBas& g = RealHistory();
    const DrawMasks draws(g.Draws);
    for (const DrawRecord& row : g.Draws.Rows()) {
        if (!row.IsComplete()) continue;
        std::array<int, kTicketNumberCount> numbers{};
        for (int i = 0; i < kMainCount; ++i) numbers[i] = row.Main(i);
        std::sort(numbers.begin(), numbers.end());
        const QuickCheckResult r = QuickCheck(numbers, draws);
        std::array<int, kPrizeTierCount + 1> brute{};
        std::vector<int> big;
        for (const DrawRecord& other : g.Draws.Rows()) {
            if (!other.IsComplete()) continue;
            const int tier = ScoreTicket(numbers, other).tier;
            ++brute[tier];
            if (tier >= 1 && tier <= 4) big.push_back(other.drawNumber);
        }
        ASSERT_EQ(r.tierCounts, brute) << "第" << row.drawNumber << "回";
        std::vector<int> found;
        for (const auto& w : r.bigWins) found.push_back(w.drawNumber);
        ASSERT_EQ(found, big);
        ASSERT_TRUE(std::find(found.begin(), found.end(), row.drawNumber) != found.end());
        ASSERT_EQ(r.bigWins[std::find(found.begin(), found.end(), row.drawNumber) - found.begin()]
                      .score.tier,
                  1);
    }
}

TEST(TicketCheckTest, QuickCheckExpectsTheBacktestTierChancesOverTheDrawsChecked) {
    const QuickCheckResult r = QuickCheck({1, 2, 3, 4, 5, 6, 7}, DrawMasks(RealHistory().Draws));
    EXPECT_EQ(r.draws, 689);
    EXPECT_DOUBLE_EQ(r.expectedCounts[1], 689.0 / 10295472.0);
    double sum = 0;
    for (double e : r.expectedCounts) sum += e;
    EXPECT_NEAR(sum, 689.0, 1e-9);
    // 6等: 3 main and at least one bonus, C(7,3)·(C(30,4) − C(28,4)) / C(37,7) per draw.
    EXPECT_NEAR(r.expectedCounts[6] / 689.0, 35.0 * (27405 - 20475) / 10295472.0, 1e-12);
    // The table shows three significant digits, so that 1等 never reads as 0.
    ResultGrid grid;
    WriteQuickTierGrid(r, grid);
    std::vector<std::string> shown;
    for (int row = 2; row <= grid.RowCount(); ++row) shown.push_back(grid.ReadCell(3, row));
    EXPECT_EQ(shown, (std::vector<std::string>{"0.0000669", "0.000937", "0.0131", "0.611", "9.51",
                                               "16.2", "662.6"}));
}

TEST(TicketCheckTest, TicketGridColoursMatchesAndNamesResults) {
    const DrawMasks draws(OneDraw().Draws);
    const std::vector<PurchasedTicket> book{MakeTicket(1, 2, {1, 2, 3, 8, 10, 11, 12}, 3, 7)};
    ResultGrid grid;
    const std::vector<std::int64_t> ids = WriteTicketGrid(book, draws, PrizeIndex(), 0, grid);
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(ids, (std::vector<std::int64_t>{0, 0, 7, 7}));
    EXPECT_EQ(grid.ReadCell(kTicketDrawsColumn, 2), "1～2");
    EXPECT_EQ(grid.ReadCell(kTicketResultColumn, 2), "6等");
    EXPECT_EQ(grid.ReadCell(kTicketResultColumn, 3), "未抽選");
    EXPECT_EQ(grid.Cell(kTicketFirstNumberColumn, 2).back, kMainMark);        // 1
    EXPECT_EQ(grid.Cell(kTicketFirstNumberColumn + 3, 2).back, kBonus1Mark);  // 8
    EXPECT_NE(grid.Cell(kTicketFirstNumberColumn + 4, 2).back, kMainMark);    // 10
    EXPECT_NE(grid.Cell(kTicketFirstNumberColumn, 3).back, kMainMark);        // not drawn yet
    EXPECT_EQ(grid.Cell(kTicketResultColumn, 2).fore, kRed);
}

}  // namespace
