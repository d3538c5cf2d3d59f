#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "analysis/DifferenceAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kFallPink = MakeRgb(255, 200, 255);

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildDifferenceTable(g, grid);
    return grid;
}

TEST(DifferenceTable, SignedDifferencesPerPositionWithFallsOnPink) {
    const ResultGrid grid = Build(MakeGlobals({
        Draw(1, {3, 10, 12, 17, 23, 28, 34, 5, 15}),
        Draw(2, {8, 10, 13, 18, 24, 29, 35, 3, 16}),
        TestDraw{3, {30, 31, 32, 33, 34, 35, 36, std::nullopt, 1}},
        Draw(4, {3, 10, 14, 19, 25, 30, 36, 37, 1}),
    }));
    for (int c = 3; c <= 19; c += 2) EXPECT_TRUE(grid.IsEmpty(c, 3));
    EXPECT_EQ(grid.ReadCell(3, 4), "+5");
    EXPECT_EQ(grid.Cell(3, 4).back, kWhite);
    EXPECT_EQ(grid.ReadCell(5, 4), "0");
    EXPECT_EQ(grid.ReadCell(17, 4), "-2");  // bonus 1 against bonus 1 only
    // The incomplete draw 3 leaves row 5 empty; draw 4 compares with draw 2.
    for (int c = 1; c <= 19; ++c) EXPECT_TRUE(grid.IsEmpty(c, 5));
    EXPECT_EQ(grid.ReadCell(3, 6), "-5");
    EXPECT_EQ(grid.Cell(3, 6).back, kFallPink);
    EXPECT_EQ(grid.ReadCell(19, 6), "-15");
}

TEST(DifferenceTable, FirstCompleteDrawBelowAnIncompleteOneIsComparedWithZeros) {
    const ResultGrid grid = Build(MakeGlobals({
        TestDraw{1, {1, 2, 3, 4, 5, 6, 7, 8, std::nullopt}},
        Draw(2, {3, 10, 12, 17, 23, 28, 34, 5, 15}),
    }));
    EXPECT_EQ(grid.ReadCell(3, 4), "+3");
    EXPECT_EQ(grid.ReadCell(19, 4), "+15");
}

TEST(DifferenceTable, HeaderGroupsAreNotFramed) {
    const ResultGrid grid = Build(MakeGlobals({}));
    ASSERT_EQ(grid.RowCount(), 4);
    using S = ResultGrid::Side;
    for (const int groupRow : {1, 4}) {
        EXPECT_EQ(grid.ReadCell(16, groupRow), "　　　ボーナス数字");
        EXPECT_EQ(grid.Cell(8, groupRow).border[static_cast<int>(S::Top)].style, 0);
        EXPECT_EQ(grid.Cell(15, groupRow).border[static_cast<int>(S::Left)].style, 1);
    }
    EXPECT_EQ(grid.ReadCell(3, 2), "差分");
    EXPECT_EQ(grid.ReadCell(19, 3), "差分");
}

TEST(DifferenceTable, RealHistoryDifferencesFollowTheRows) {
    const GlobalBas& g = RealHistory();
    const ResultGrid grid = Build(g);
    const int n = g.LatestDrawNumber;
    ASSERT_EQ(grid.RowCount(), n + 4);
    for (int row = 4; row <= n + 2; ++row) {
        for (int column = 2; column <= 18; column += 2) {
            const int difference =
                std::stoi(grid.ReadCell(column, row)) - std::stoi(grid.ReadCell(column, row - 1));
            const std::string text = grid.ReadCell(column + 1, row);
            ASSERT_EQ(std::stoi(text), difference) << row;
            ASSERT_EQ(text[0] == '+', difference > 0) << row;
            ASSERT_EQ(grid.Cell(column + 1, row).back, difference < 0 ? kFallPink : kWhite);
        }
    }
    EXPECT_EQ(grid.ReadCell(1, n + 3), "回数");
}

}  // namespace
