#include <gtest/gtest.h>

#include "analysis/RandomnessAnalysis.h"
#include "core/FairDraws.h"

namespace {

// Under fair draws every test rejects at 5 % about one history in twenty:
// 2,000 fair histories of 689 draws against a reference of 10,000.  With
// 2,000 runs the rate's standard error is 0.49 %, so 5 % ± 1.5 % is three
// of them: nine such checks pass together in about 97 % of seeds.
TEST(RandomnessRejection, EveryTestRejectsFiveInAHundredFairHistories) {
    constexpr int kDraws = 689;
    constexpr int kRuns = 2000;
    const std::optional<RandomnessReference> reference =
        SimulateRandomness(kDraws, kRandomnessSimulations, kRandomnessSeed);
    ASSERT_TRUE(reference);
    std::array<int, kRandomnessTestCount> rejected{};
    FairDraws fair(424242);
    for (int run = 0; run < kRuns; ++run) {
        std::vector<DrawSets> history(kDraws);
        for (DrawSets& d : history) d.main = fair.NextDraw(d.bonus);
        const RandomnessResult result = TestRandomness(history, *reference);
        for (int t = 0; t < kRandomnessTestCount; ++t)
            rejected[t] += result.tests[t].pValue <= 0.05;
    }
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        const double rate = static_cast<double>(rejected[t]) / kRuns;
        EXPECT_GE(rate, 0.035) << RandomnessTestName(t);
        EXPECT_LE(rate, 0.065) << RandomnessTestName(t);
    }
}

}  // namespace
