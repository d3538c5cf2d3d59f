#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "lotto/LotoChance.h"
#include "lotto/NumberMask.h"
#include "lotto/PrizeTier.h"

namespace {

DrawRecord DrawOf(const std::array<int, kFieldCount>& nine) {
    DrawRecord draw;
    draw.drawNumber = 1;
    for (int i = 0; i < kFieldCount; ++i) draw.Set(i, static_cast<std::int16_t>(nine[i]));
    return draw;
}

}  // namespace

// The tiers' chances as the lottery's own odds table counts them over all
// 10,295,472 tickets: 1, 14 (six and the seventh number a bonus number),
// 196, C(7,5)·C(30,2), C(7,4)·C(30,3) and C(7,3)·(C(30,4) − C(28,4)).
TEST(LottoRules, TierChancesAreTheTicketCountsOverAllCombinations) {
    EXPECT_EQ(Binomial(37, 7), 10'295'472u);
    const std::array<double, kPrizeTierCount> tickets = {1, 14, 196, 9135, 142100, 242550};
    for (int tier = 1; tier <= kPrizeTierCount; ++tier) {
        EXPECT_NEAR(static_cast<double>(TierProbability(tier)), tickets[tier - 1] / 10'295'472.0,
                    1e-15)
            << "tier " << tier;
    }
    EXPECT_NEAR(static_cast<double>(ExpectedMainMatches(7)), 49.0 / 37, 1e-15);
    EXPECT_NEAR(TwoSidedPValue(1.959963985), 0.05, 1e-9);
}

TEST(LottoRules, TiersFollowMainAndBonusMatchesAndAShortRowWinsNothing) {
    EXPECT_EQ(PrizeTier(7, 0), 1);
    EXPECT_EQ(PrizeTier(6, 1), 2);
    EXPECT_EQ(PrizeTier(6, 0), 3);
    EXPECT_EQ(PrizeTier(5, 2), 4);
    EXPECT_EQ(PrizeTier(4, 0), 5);
    EXPECT_EQ(PrizeTier(3, 1), 6);
    EXPECT_EQ(PrizeTier(3, 2), 6);
    EXPECT_EQ(PrizeTier(3, 0), 0);
    EXPECT_EQ(PrizeTier(2, 2), 0);

    const DrawRecord draw = DrawOf({2, 5, 9, 14, 20, 28, 33, 7, 36});
    const std::vector<int> sixAndBonus = {2, 5, 9, 14, 20, 28, 36};
    const TicketScore second = ScoreTicket(sixAndBonus, draw);
    EXPECT_EQ(second.mainMatches, 6);
    EXPECT_EQ(second.bonusMatches, 1);
    EXPECT_EQ(second.tier, 2);
    // Repeats and numbers outside 1 … 37 are no numbers of a ticket.
    const std::vector<int> shortRow = {2, 2, 5, 9, 14, 0, 38};
    const TicketScore none = ScoreTicket(shortRow, draw);
    EXPECT_EQ(none.mainMatches, 4);
    EXPECT_EQ(none.tier, 0);
    EXPECT_EQ(NumberSet(shortRow), Bit(2) | Bit(5) | Bit(9) | Bit(14));
    EXPECT_EQ(NumbersOf(Bit(37) | Bit(1) | Bit(20)), (std::vector<int>{1, 20, 37}));
}

TEST(LottoRules, NumbersBeforeOrdersSetsAsTheirAscendingLists) {
    const auto SetOf = [](std::initializer_list<int> numbers) {
        NumberMask set = 0;
        for (int n : numbers) set |= Bit(n);
        return set;
    };
    // Prefixes, equal sets and sets of different sizes included.
    const std::vector<NumberMask> sets = {0,
                                          SetOf({1}),
                                          SetOf({1, 2}),
                                          SetOf({1, 2, 37}),
                                          SetOf({1, 3}),
                                          SetOf({2}),
                                          SetOf({1, 2, 3, 4, 5, 6, 7}),
                                          SetOf({1, 2, 3, 4, 5, 6, 8}),
                                          SetOf({31, 32, 33, 34, 35, 36, 37}),
                                          SetOf({37})};
    for (NumberMask a : sets) {
        for (NumberMask b : sets) {
            EXPECT_EQ(NumbersBefore(a, b), NumbersOf(a) < NumbersOf(b))
                << ::testing::PrintToString(NumbersOf(a)) << " "
                << ::testing::PrintToString(NumbersOf(b));
        }
    }
}
