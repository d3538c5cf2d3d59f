#include <gtest/gtest.h>

#include "lotto/PrizeShares.h"

namespace {

// The winning tickets per tier, counted from the match counts, and what one
// winning unit is worth in theory under each share table (45 % of a 300-yen
// ticket, rounded down to 100 yen).
TEST(PrizeShares, TheSixTheoreticalPrizesUnderBothShareTables) {
    const std::int64_t combinations[] = {1, 14, 196, 9'135, 142'100, 242'550};
    const std::int64_t now[] = {700'003'500, 6'077'700, 500'000, 6'500, 1'400, 1'000};
    const std::int64_t before[] = {600'001'000, 7'280'000, 727'900, 9'100, 1'400, 1'000};
    for (int t = 1; t <= 6; ++t) {
        EXPECT_EQ(TierCombinations(t), combinations[t - 1]) << t;
        EXPECT_EQ(TheoreticalPrize(t, 613), now[t - 1]) << t;
        EXPECT_EQ(TheoreticalPrize(t, 689), now[t - 1]) << t;
        EXPECT_EQ(TheoreticalPrize(t, 612), before[t - 1]) << t;
    }
    EXPECT_EQ(TierCombinations(0), 0);
    EXPECT_EQ(TheoreticalPrize(7, 700), 0);
    // Each table hands out all of the prize money.
    for (int draw : {1, 700}) {
        int total = 0;
        for (int t = 1; t <= 6; ++t) total += TierShare(t, draw);
        EXPECT_EQ(total, kShareScale) << draw;
    }
}

}  // namespace
