#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "analysis/AnalysisCatalog.h"
#include "analysis/CarryOverAnalysis.h"
#include "analysis/DifferenceAnalysis.h"
#include "analysis/PastCountAnalysis.h"
#include "support/TestSupport.h"

namespace {

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildCarryOverTable(g, grid);
    return grid;
}

std::set<int> MarkedColumns(const ResultGrid& grid, int row) {
    std::set<int> marked;
    for (int c = 2; c <= 10; ++c) {
        if (grid.Cell(c, row).back == kCarriedBack) marked.insert(c);
    }
    return marked;
}

TEST(CarryOverTable, MarksNumbersOfThePreviousCompleteDrawMainAndBonusAlike) {
    const ResultGrid grid = Build(MakeGlobals({
        Draw(1, {3, 8, 15, 21, 27, 30, 36, 5, 12}),
        Draw(2, {5, 8, 11, 19, 24, 30, 33, 2, 36}),
        Draw(3, {1, 4, 6, 7, 9, 10, 13, 14, 16}),
        TestDraw{4, {1, 2, 3, 4, 5, 6, 7, 8, std::nullopt}},
        Draw(5, {16, 17, 18, 20, 22, 23, 25, 26, 28}),
    }));
    EXPECT_TRUE(MarkedColumns(grid, 2).empty());
    EXPECT_EQ(MarkedColumns(grid, 3), (std::set<int>{2, 3, 7, 10}));
    EXPECT_TRUE(MarkedColumns(grid, 4).empty());
    // The incomplete draw 4 leaves no row; draw 5 compares with draw 3.
    EXPECT_EQ(grid.ReadCell(1, 5), "5");
    EXPECT_EQ(MarkedColumns(grid, 5), (std::set<int>{2}));
}

TEST(CarryOverTable, HeaderRowAndGridLines) {
    const ResultGrid grid = Build(MakeGlobals({}));
    ASSERT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.ReadCell(1, 1), "回数");
    EXPECT_EQ(grid.ReadCell(5, 1), " 本 数 字");
    EXPECT_EQ(grid.ReadCell(9, 1), "ボーナス数字1");
    EXPECT_EQ(grid.ReadCell(10, 1), "ボーナス数字2");
    EXPECT_EQ(grid.Cell(1, 1).back, MakeRgb(255, 200, 200));
    using S = ResultGrid::Side;
    const auto pen = [&](int c, S s) { return grid.Cell(c, 1).border[static_cast<int>(s)]; };
    EXPECT_EQ(pen(1, S::Left).color, MakeRgb(136, 196, 255));
    EXPECT_EQ(pen(5, S::Left).style, 0);
    EXPECT_EQ(pen(5, S::Bottom).style, 1);
}

TEST(CarryOverTable, AStoredZeroOrARepeatedDrawNumberIsHandled) {
    // Values another tool might store: nothing is carried into the first
    // draw, and every complete draw gets its row.
    const ResultGrid grid = Build(
        MakeGlobals({Draw(1, {0, 2, 3, 4, 5, 6, 7, 8, 9}), Draw(1, {0, 2, 3, 4, 5, 6, 7, 8, 9}),
                     Draw(2, {11, 12, 13, 14, 15, 16, 17, 18, 19})}));
    EXPECT_TRUE(MarkedColumns(grid, 2).empty());
    EXPECT_EQ(MarkedColumns(grid, 3).size(), 9u);
    EXPECT_EQ(grid.ReadCell(1, 4), "2");
}

TEST(CarryOverTable, RealHistoryMarksExactlyTheRepeatedNumbers) {
    const GlobalBas& g = RealHistory();
    const ResultGrid grid = Build(g);
    const int n = g.LatestDrawNumber;
    ASSERT_EQ(grid.RowCount(), n + 1);
    int marks = 0;
    for (int row = 3; row <= n + 1; ++row) {
        std::set<std::string> previous;
        for (int c = 2; c <= 10; ++c) previous.insert(grid.ReadCell(c, row - 1));
        for (int c = 2; c <= 10; ++c) {
            const bool carried = previous.count(grid.ReadCell(c, row)) > 0;
            ASSERT_EQ(grid.Cell(c, row).back == kCarriedBack, carried) << row << "," << c;
            marks += carried;
        }
    }
    EXPECT_GT(marks, n);  // about two carried numbers a draw
}

TEST(PerDrawTablesILimits, DrawPastRow32767StopsAndKeepsTheRowsBefore) {
    std::vector<TestDraw> draws;
    for (int n = 1; n <= 32767; ++n) draws.push_back(Draw(n, {40, 41, 42, 43, 44, 45, 46, 47, 48}));
    const GlobalBas g = MakeGlobals(draws);
    for (const auto build : {BuildDifferenceTable, BuildPastCountTable, BuildCarryOverTable}) {
        ResultGrid grid;
        EXPECT_THROW(build(g, grid), BuildStopped);
        ASSERT_EQ(grid.RowCount(), 32767);
        EXPECT_FALSE(grid.IsEmpty(1, 32767));
    }
}

}  // namespace
