#include <gtest/gtest.h>

#include "analysis/NumberSumAnalysis.h"
#include "support/TestSupport.h"

namespace {

TEST(NumberSumAnalysis, SumsOfMainNumbersAndOfAllNine) {
    TestDraw noBonus{2, {1, 2, 3, 4, 5, 6, 7, 8, std::nullopt}};
    const GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), noBonus,
                                     Draw(3, {31, 32, 33, 34, 35, 36, 37, 30, 29})});
    ResultGrid grid;
    BuildNumberSums(g, grid);

    EXPECT_EQ(grid.ReadCell(9, 2), "28");
    EXPECT_EQ(grid.ReadCell(12, 2), "45");
    // Draw 2 has an empty bonus field: no row, draw 3 moves up.
    EXPECT_EQ(grid.ReadCell(1, 3), "3");
    EXPECT_EQ(grid.ReadCell(9, 3), "238");
    EXPECT_EQ(grid.ReadCell(10, 3), "30");
    EXPECT_EQ(grid.ReadCell(11, 3), "29");
    EXPECT_EQ(grid.ReadCell(12, 3), "297");
    // The last row stays empty but formatted.
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_TRUE(grid.IsEmpty(1, 4));
    EXPECT_EQ(grid.Cell(12, 4).back, MakeRgb(200, 255, 255));
    EXPECT_EQ(grid.Cell(12, 4).fore, MakeRgb(0, 0, 255));
}

TEST(NumberSumAnalysis, HeaderBandSpansTheMainNumbers) {
    const GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    ResultGrid grid;
    BuildNumberSums(g, grid);

    EXPECT_EQ(grid.ReadCell(2, 1), std::string(23, ' ') + "　本 数 字" + std::string(30, ' '));
    EXPECT_TRUE(grid.Cell(2, 1).overflow);
    for (int c = 3; c <= 8; ++c) EXPECT_TRUE(grid.IsEmpty(c, 1)) << c;  // room to overflow
    EXPECT_EQ(grid.ReadCell(9, 1), "本数字合計");
    EXPECT_EQ(grid.ReadCell(10, 1), "ボ数字1");
    EXPECT_EQ(grid.ReadCell(12, 1), "本数字+ボ数字");
    // No borders inside the band; the outline runs around columns 2 to 10.
    using S = ResultGrid::Side;
    EXPECT_EQ(grid.Cell(5, 1).border[int(S::Left)].style, 0);
    EXPECT_EQ(grid.Cell(10, 1).border[int(S::Right)].style, 1);
}

TEST(NumberSumAnalysis, RealHistorySumsMatchTheirRows) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    BuildNumberSums(g, grid);
    int previous = 0;
    for (int row = 2; row <= grid.RowCount(); ++row) {
        const int drawNumber = std::stoi(grid.ReadCell(1, row));
        ASSERT_GT(drawNumber, previous);  // oldest draw at the top
        previous = drawNumber;
        int mainSum = 0;
        for (int c = 2; c <= 8; ++c) mainSum += std::stoi(grid.ReadCell(c, row));
        ASSERT_EQ(grid.ReadCell(9, row), std::to_string(mainSum)) << "row " << row;
        const int total =
            mainSum + std::stoi(grid.ReadCell(10, row)) + std::stoi(grid.ReadCell(11, row));
        ASSERT_EQ(grid.ReadCell(12, row), std::to_string(total));
    }
    EXPECT_EQ(previous, g.LatestDrawNumber);
}

}  // namespace
