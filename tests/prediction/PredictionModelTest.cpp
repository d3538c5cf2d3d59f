#include <gtest/gtest.h>

#include <filesystem>

#include "PredictionTestSupport.h"
#include "core/GridStyle.h"
#include "prediction/PredictionModel.h"

namespace {

bool HasBorder(const ResultGrid& grid, int column, int row, ResultGrid::Side side) {
    return grid.Cell(column, row).border[static_cast<int>(side)].style != 0;
}

TEST(PredictionGrids, SizesLabelsHeaderBandAndBorders) {
    using enum ResultGrid::Side;
    const PredictionModel model = LoadedModel({});
    const struct {
        int row;
        const char* text;
    } labels[] = {{2, " 7回周期法"}, {3, "消去法"}, {2, "連発予想"}, {2, "１発予想"}};
    for (int index = 0; index < kPredictionGridCount; ++index) {
        SCOPED_TRACE(index);
        const ResultGrid& grid = model.Grid(index);
        EXPECT_EQ(grid.RowCount(), 5 - index);
        EXPECT_EQ(grid.ReadCell(1, labels[index].row), labels[index].text);
        EXPECT_EQ(grid.ReadCell(2, 1), std::string(30, ' ') + "本 数 字" + std::string(26, ' '));
        EXPECT_EQ(grid.Cell(8, 1).back, MakeRgb(255, 200, 200));
        EXPECT_EQ(grid.Cell(1, 1).fore, kBlue);
        EXPECT_FALSE(HasBorder(grid, 5, 1, Bottom));
        EXPECT_EQ(HasBorder(grid, 5, 2, Left), index != kCycleGrid);
        // Label cells that read as one cell have no borders between them.
        EXPECT_EQ(HasBorder(grid, 1, 2, Bottom), index == kCycleGrid || index == kOneShotGrid);
    }
    EXPECT_EQ(model.Grid(kCycleGrid).ReadCell(1, 5), "12回周期法");
}

TEST(PredictionModel, RealHistoryWithNoneAndWithAllReflected) {
    PredictionModel model;
    model.Load(RealHistory());
    EXPECT_EQ(model.Message(), "");
    const ResultGrid& cycle = model.Grid(kCycleGrid);
    EXPECT_EQ(NumberRow(cycle, 2), Row({1, 8, 23, 18, 28, 27, 37}));
    const ResultGrid& elimination = model.Grid(kEliminationGrid);
    EXPECT_EQ(NumberRow(elimination, 2), Row({23, 30, 34, 13, 22, 18, 31}));
    EXPECT_EQ(NumberRow(elimination, 4), Row({19, 8}));
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 3), Row({29, 36, 3, 18, 32, 34, 2}));
    EXPECT_EQ(NumberRow(model.Grid(kOneShotGrid), 2), Row({4, 28, 30, 37, 12, 15, 24}));

    const std::vector<std::string> cycleTexts = AllTexts(cycle);
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        std::vector<std::vector<std::string>> before;
        for (int index = 1; index < kPredictionGridCount; ++index) {
            before.push_back(AllTexts(model.Grid(index)));
        }
        model.SetOption(i, true);
        for (int index = 1; index < kPredictionGridCount; ++index) {
            EXPECT_NE(AllTexts(model.Grid(index)), before[index - 1]) << i << " " << index;
        }
        EXPECT_EQ(AllTexts(cycle), cycleTexts) << i;
    }
    EXPECT_EQ(NumberRow(elimination, 3), Row({18, 12, 26, 19, 1, 15, 8}));
    EXPECT_EQ(NumberRow(elimination, 4), Row({}));  // emptied before the recomputation
    EXPECT_EQ(NumberRow(model.Grid(kRapidFireGrid), 3), Row({27, 34, 36, 10, 3, 8, 22}));
    EXPECT_EQ(NumberRow(model.Grid(kOneShotGrid), 2), Row({23, 29, 28, 33, 6, 12, 21}));
}

TEST(PredictionModel, EveryLoadReplaysTheCycleMethodFromEmptyTables) {
    // The first snapshot leaves 5 at position 3 of the 7-draw cycle; the
    // second records 5 at position 4, which a kept entry would block.
    std::vector<TestDraw> first = {Filler(1, 1, 5)};
    for (int d = 2; d <= 7; ++d) first.push_back(Filler(d));
    std::vector<TestDraw> second = first;
    first.push_back(Filler(8, 3, 5));
    second.push_back(Filler(8, 4, 5));
    PredictionModel model;
    model.Load(MakeGlobals(first));
    model.Load(MakeGlobals(second));
    EXPECT_EQ(NumberRow(model.Grid(kCycleGrid), 2),
              std::vector<std::string>({"", "", "", "5", "", "", ""}));
}

TEST(PredictionModel, DrawNumbersTheTableCannotHoldAreLeftOutWithAMessage) {
    std::vector<TestDraw> held;
    for (int d = 1; d <= 30; ++d) held.push_back(Filler(d, d % 8 + 1, d % 29 + 1));
    std::vector<TestDraw> all = held;
    all.insert(all.begin(), Draw(-3, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    all.push_back(Draw(5001, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    all.push_back(Draw(32767, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    const PredictionModel model = LoadedModel(all);
    EXPECT_EQ(model.Message(),
              "第-3回、第5001回、第32767回の当選データは回数が0～5000の範囲外のため、"
              "予想に使えません。\nそれ以外の当選データから予想しました。");
    const PredictionModel expected = LoadedModel(held);
    for (int index = 0; index < kPredictionGridCount; ++index) {
        EXPECT_EQ(AllTexts(model.Grid(index)), AllTexts(expected.Grid(index))) << index;
    }
}

}  // namespace
