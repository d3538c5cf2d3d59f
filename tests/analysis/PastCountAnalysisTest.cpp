#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "analysis/AnalysisCatalog.h"
#include "analysis/PastCountAnalysis.h"
#include "support/TestSupport.h"

namespace {

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildPastCountTable(g, grid);
    return grid;
}

// The count column of field f (0 = 第1数字 … 8 = ボーナス数字2).
int CountColumn(int field) { return field + 11; }

TEST(PastCountTable, CountsEarlierDrawsMainAndBonusAlike) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 2, 3, 4, 5, 6, 7, 20, 9}),
        TestDraw{2, {20, 21, 22, 23, 24, 25, 26, 27, std::nullopt}},
        Draw(3, {20, 10, 11, 12, 13, 14, 15, 16, 17}),
        Draw(4, {30, 20, 31, 32, 33, 34, 35, 36, 30}),
    });
    const ResultGrid grid = Build(g);
    for (int f = 0; f < kFieldCount; ++f) EXPECT_EQ(grid.ReadCell(CountColumn(f), 3), "0");
    // The incomplete draw 2 leaves no row and counts nothing.
    EXPECT_EQ(grid.ReadCell(1, 4), "3");
    EXPECT_EQ(grid.ReadCell(CountColumn(0), 4), "1");
    EXPECT_EQ(grid.ReadCell(CountColumn(1), 5), "2");
    // 30 twice in one draw: both counts are read before either is added.
    EXPECT_EQ(grid.ReadCell(CountColumn(0), 5), "0");
    EXPECT_EQ(grid.ReadCell(CountColumn(8), 5), "0");
    const ResultGrid again = Build(g);
    for (int c = 1; c <= 19; ++c) EXPECT_EQ(again.ReadCell(c, 5), grid.ReadCell(c, 5));
}

TEST(PastCountTable, HeaderGroupsAndTitles) {
    const ResultGrid grid = Build(MakeGlobals({}));
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ReadCell(5, 1), "       当 選 数 字");
    EXPECT_EQ(grid.ReadCell(15, 1), "前回までの出現回数合計(回)");
    EXPECT_EQ(grid.Cell(15, 1).halign, ResultGrid::HAlign::Center);
    EXPECT_EQ(grid.ReadCell(10, 2), "ボ数字2");
    EXPECT_EQ(grid.ReadCell(11, 2), "第1数字");
    EXPECT_EQ(grid.Cell(11, 1).back, MakeRgb(200, 255, 200));
    const auto right = [&](int c, int r) { return grid.Cell(c, r).border[1].style; };
    EXPECT_EQ(right(5, 1), 0);
    EXPECT_EQ(right(10, 1), 1);
    EXPECT_EQ(right(5, 2), 1);
}

TEST(PastCountTable, NegativeNumberStopsBeforeItsRowAndRepeatedDrawsKeepTheirRows) {
    ResultGrid stopped;
    EXPECT_THROW(BuildPastCountTable(MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                                  Draw(2, {1, 2, 3, 4, 5, 6, 7, 8, -3})}),
                                     stopped),
                 BuildStopped);
    EXPECT_EQ(stopped.ReadCell(1, 3), "1");
    EXPECT_TRUE(stopped.IsEmpty(1, 4));
    // Draw 1 stored twice (another tool's database): the grid grows to fit.
    const ResultGrid grid = Build(
        MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                     Draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    EXPECT_EQ(grid.ReadCell(CountColumn(0), 5), "2");
}

TEST(PastCountTable, RealHistoryCountsAddUpToTheStartUpCounts) {
    const GlobalBas& g = RealHistory();
    const ResultGrid grid = Build(g);
    const int n = g.LatestDrawNumber;
    ASSERT_EQ(grid.RowCount(), n + 2);
    EXPECT_EQ(grid.ReadCell(1, n + 2), std::to_string(n));
    // A number drawn k times shows 0, 1, … k − 1 over its appearances.
    long long shown = 0;
    for (int row = 3; row <= n + 2; ++row) {
        for (int f = 0; f < kFieldCount; ++f)
            shown += std::stoi(grid.ReadCell(CountColumn(f), row));
    }
    long long expected = 0;
    for (int x = kLowestNumber; x <= kHighestNumber; ++x) {
        expected += static_cast<long long>(g.NumberCount[x]) * (g.NumberCount[x] - 1) / 2;
    }
    EXPECT_EQ(shown, expected);
}

}  // namespace
