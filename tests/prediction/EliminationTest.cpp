#include <gtest/gtest.h>

#include "PredictionTestSupport.h"
#include "prediction/Elimination.h"
#include "prediction/ReflectionShift.h"

namespace {

TEST(Elimination, RuleZeroReadsDrawLMinus4AndMissingDrawsGiveTheAddend) {
    // L = 100: rule 0 adds 22 to the first number of draw 96.  Every other
    // reference draw is missing, so its rule gives its addend; repeats drop.
    const PredictionModel stays = LoadedModel({Filler(96, 1, 15), Filler(100)});
    const ResultGrid& grid = stays.Grid(kEliminationGrid);
    EXPECT_EQ(NumberRow(grid, 2), Row({37, 16, 17, 24, 32, 1, 12}));
    EXPECT_EQ(NumberRow(grid, 3), Row({22}));
    EXPECT_EQ(NumberRow(grid, 4), Row({}));

    // 16 + 22 = 38 wraps to 1; rule 5 (0 + 1) repeats it, so the numbers
    // after it move up one cell.
    const PredictionModel wraps = LoadedModel({Filler(96, 1, 16), Filler(100)});
    EXPECT_EQ(NumberRow(wraps.Grid(kEliminationGrid), 2), Row({1, 16, 17, 24, 32, 12, 22}));
}

TEST(Elimination, ReferenceDrawsBelowOneReadAsMissing) {
    // With everything reflected (shift 92) ten draws leave every reference
    // draw below 1; draw 0, even when stored, is no reference draw either.
    std::vector<TestDraw> draws = {Draw(0, {5, 5, 5, 5, 5, 5, 5, 5, 5})};
    for (int d = 1; d <= 10; ++d) draws.push_back(Filler(d, 1, d));
    const PredictionModel model = LoadedModel(draws, ReflectOptions::kCount);
    EXPECT_EQ(NumberRow(model.Grid(kEliminationGrid), 2), Row({22, 16, 17, 24, 32, 1, 12}));
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 2), Row({}));
    const PredictionModel drawZero = LoadedModel({draws[0], Filler(4)});
    EXPECT_EQ(NumberRow(drawZero.Grid(kEliminationGrid), 2), Row({22, 16, 17, 24, 32, 1, 12}));
}

TEST(ReflectionShift, SumsTheWeightsOfTheReflectedAnalyses) {
    ReflectOptions options;
    EXPECT_EQ(ComputeReflectionShift(options), 0);
    options.SetFlag(1, true);   // 間隔分析
    options.SetFlag(10, true);  // 下一桁出現傾向分析
    EXPECT_EQ(ComputeReflectionShift(options), 31);
    for (int i = 0; i < ReflectOptions::kCount; ++i) options.SetFlag(i, true);
    EXPECT_EQ(ComputeReflectionShift(options), 92);
}

}  // namespace
