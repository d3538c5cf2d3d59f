#include <gtest/gtest.h>

#include "PredictionTestSupport.h"
#include "prediction/CycleMethod.h"

namespace {

TEST(CycleMethod, RecordHitRefusesANumberHeldAtAnotherPositionOfTheColumn) {
    CycleTable table;
    RecordCycleHit(table, 7, 5, "12");
    RecordCycleHit(table, 7, 3, "30");
    RecordCycleHit(table, 7, 3, "12");   // held at position 5: position 3 keeps "30"
    RecordCycleHit(table, 9, 3, "12");   // another cycle is independent
    RecordCycleHit(table, 12, 9, "12");  // the second bonus number is never recorded
    EXPECT_EQ(table.Entry(3, 0), "30");
    EXPECT_EQ(table.Entry(3, 1), "12");
    RecordCycleHit(table, 12, 1, "12");
    EXPECT_EQ(table.Entry(1, 3), "12");
    RecordCycleHit(table, 7, 5, "8");
    RecordCycleHit(table, 7, 3, "12");  // position 5 no longer holds it
    EXPECT_EQ(table.Entry(3, 0), "12");
}

TEST(CycleMethod, GapCountsDrawNumbersAndSkipsMissingAndIncompleteDraws) {
    TestDraw incomplete = Filler(5, 2, 9);
    incomplete.numbers[8].reset();
    // 9 comes back at draw 8 after draw 1; draw 4 is missing and draw 5, which
    // also holds 9, is incomplete: the gap is 7 all the same.
    const PredictionModel model = LoadedModel(
        {Filler(1, 1, 9), Filler(2), Filler(3), incomplete, Filler(6), Filler(7), Filler(8, 3, 9)});
    const ResultGrid& grid = model.Grid(kCycleGrid);
    EXPECT_EQ(NumberRow(grid, 2), std::vector<std::string>({"", "", "9", "", "", "", ""}));
    for (int row = 3; row <= 5; ++row) EXPECT_EQ(NumberRow(grid, row), Row({}));
}

TEST(CycleMethod, TheHiddenBonusPositionBlocksAndBonusNumbersAreNotSearched) {
    std::vector<TestDraw> draws;
    for (int d = 1; d <= 20; ++d) draws.push_back(Filler(d));
    draws[0] = Filler(1, 1, 5);
    draws[9] = Filler(10, 8, 5);   // bonus 1, nine draws after draw 1: position 8
    draws[10] = Filler(11, 1, 5);  // draw 10's bonus is not searched: gap 10
    draws[19] = Filler(20, 2, 5);  // gap 9 to draw 11, blocked by position 8
    const PredictionModel model = LoadedModel(draws);
    EXPECT_EQ(model.Cycles().Entry(8, 1), "5");
    EXPECT_EQ(model.Cycles().Entry(2, 1), "");
    for (int row = 2; row <= 5; ++row) EXPECT_EQ(NumberRow(model.Grid(kCycleGrid), row), Row({}));
}

TEST(CycleMethod, NumbersOutsideTheLotteryRangeNeverMatchMissingDraws) {
    // A store written by another tool may hold 0 or 32767; 0 must not match
    // the empty row of missing draw 9.
    std::vector<TestDraw> draws;
    for (int d = 1; d <= 15; ++d) {
        if (d != 9) draws.push_back(Filler(d, 1, d == 1 || d == 8 ? 32767 : 30));
    }
    draws.push_back(Filler(16, 2, 0));
    const PredictionModel model = LoadedModel(draws);
    EXPECT_EQ(model.Cycles().Entry(1, 0), "");
    EXPECT_EQ(model.Cycles().Entry(2, 0), "");
}

}  // namespace
