#include <gtest/gtest.h>

#include "PredictionTestSupport.h"
#include "prediction/UniqueWindowPrediction.h"

namespace {

// Draws 195 to 200 around the window 199 … 196 of L = 200.
std::vector<TestDraw> WindowDraws() {
    return {
        Draw(195, {6, 11, 19, 27, 35, 36, 37, 9, 1}),
        Draw(196, {26, 27, 28, 29, 30, 31, 32, 33, 34}),
        Draw(197, {18, 19, 20, 21, 22, 23, 24, 2, 25}),  // bonus 1 repeats 2 of draw 199
        Draw(198, {10, 11, 12, 13, 14, 15, 16, 17, 3}),  // bonus 2 repeats 3: not counted
        Draw(199, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
        Draw(200, {1, 10, 18, 26, 35, 36, 37, 4, 5}),  // the latest draw is never used
    };
}

TEST(RapidFire, TakesNumbersSeenOnceInTheFourDrawsBeforeTheLatest) {
    const PredictionModel model = LoadedModel(WindowDraws());
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 2), Row({1, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 3), Row({10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(NumberRow(model.Grid(kOneShotGrid), 2), Row({1, 3, 4, 5, 6, 7, 8}));

    std::vector<TestDraw> gap = WindowDraws();
    gap.erase(gap.begin() + 3);  // draw 198: skipped, draw 197 follows
    EXPECT_EQ(NumberRow(LoadedModel(gap).Grid(kRapidFireGrid), 3),
              Row({18, 19, 20, 21, 22, 23, 24}));
}

TEST(RapidFire, ARunWithFewerUniqueNumbersLeavesNothingOfAnEarlierRun) {
    std::vector<TestDraw> draws;
    for (int d = 1; d <= 4; ++d) draws.push_back(Filler(d));
    draws[3] = Filler(4, 1, 7);  // draws 1 … 4 share every number but 7
    for (int d = 5; d <= 9; ++d) draws.push_back(Draw(d, {d, d + 10, d + 20, 1, 2, 3, 4, 5, 6}));
    PredictionModel model = LoadedModel(draws);
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 2), Row({8, 18, 28, 7, 17, 27, 6}));
    model.SetOption(5, true);  // 連番・飛び石分析, weight 4: window 4 … 1
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 2), Row({7}));
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 3), Row({}));
    EXPECT_EQ(NumberRow(model.Grid(kOneShotGrid), 2), Row({7}));
}

TEST(OneShot, IsTheFirstRapidFireRowForEveryShiftOverTheRealHistory) {
    PredictionModel model;
    model.Load(RealHistory());
    for (int shift = 0; shift <= 92; ++shift) {
        ResultGrid rapid, oneShot;
        SetUpPredictionGrid(kRapidFireGrid, rapid);
        SetUpPredictionGrid(kOneShotGrid, oneShot);
        PredictRapidFire(model.Matrix(), model.LatestDrawNumber(), shift, rapid);
        PredictOneShot(model.Matrix(), model.LatestDrawNumber(), shift, oneShot);
        EXPECT_EQ(NumberRow(oneShot, 2), NumberRow(rapid, 2)) << "shift " << shift;
        EXPECT_NE(NumberRow(oneShot, 2), Row({})) << "shift " << shift;
    }
}

}  // namespace
