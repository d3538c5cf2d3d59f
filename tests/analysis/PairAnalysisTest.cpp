#include <gtest/gtest.h>

#include "analysis/PairAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kConsecutive = MakeRgb(200, 255, 255);
constexpr Rgb kSkipOne = MakeRgb(200, 255, 200);
constexpr Rgb kGrey = MakeRgb(225, 225, 225);

// The columns of one half (first = 1 or 9) of a row whose background is `colour`.
std::vector<int> ColumnsIn(const ResultGrid& grid, int first, int row, Rgb colour) {
    std::vector<int> columns;
    for (int c = first; c < first + 8; ++c) {
        if (grid.Cell(c, row).back == colour) columns.push_back(c);
    }
    return columns;
}

TEST(PairAnalysis, ShadesAdjacentPairsAndGreysHalvesWithoutOne) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {3, 4, 10, 12, 20, 30, 31, 5, 11}),
        Draw(2, {1, 5, 9, 15, 20, 25, 33, 2, 3}),     // bonus 2, 3 next to 1 do not count
        Draw(3, {1, 3, 10, 20, 25, 30, 35, 4, 5}),    // a skip-one pair only
        Draw(4, {12, 13, 14, 20, 25, 30, 35, 1, 2}),  // 12 and 14 are not adjacent
        Draw(5, {5, 20, 7, 25, 30, 33, 36, 1, 2}),    // unsorted: 5 and 7 not compared
    });
    ResultGrid grid;
    BuildPairAnalysis(g, grid);

    EXPECT_EQ(ColumnsIn(grid, 1, 2, kConsecutive), (std::vector<int>{2, 3, 7, 8}));
    EXPECT_EQ(ColumnsIn(grid, 9, 2, kSkipOne), (std::vector<int>{12, 13}));
    EXPECT_NE(grid.Cell(1, 2).back, kGrey);
    EXPECT_NE(grid.Cell(9, 2).back, kGrey);
    EXPECT_EQ(grid.ReadCell(9, 2), "1");
    EXPECT_EQ(grid.ReadCell(16, 2), "31");

    EXPECT_EQ(grid.Cell(1, 3).back, kGrey);
    EXPECT_EQ(grid.Cell(9, 3).back, kGrey);

    EXPECT_EQ(grid.Cell(1, 4).back, kGrey);
    EXPECT_EQ(ColumnsIn(grid, 9, 4, kSkipOne), (std::vector<int>{10, 11}));

    EXPECT_EQ(ColumnsIn(grid, 1, 5, kConsecutive), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(grid.Cell(9, 5).back, kGrey);

    EXPECT_EQ(grid.Cell(1, 6).back, kGrey);
    EXPECT_EQ(grid.Cell(9, 6).back, kGrey);
}

TEST(PairAnalysis, HeaderAndSkippedDraws) {
    TestDraw incomplete{2, {1, 2, 3, 4, 5, 6, 7, 8, std::nullopt}};
    const GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), incomplete,
                                     Draw(3, {2, 4, 6, 8, 10, 12, 14, 1, 3})});
    ResultGrid grid;
    BuildPairAnalysis(g, grid);

    EXPECT_EQ(grid.ReadCell(4, 1), "　連番(本数字)");
    EXPECT_EQ(grid.ReadCell(12, 1), "　飛び石(本数字)");
    EXPECT_EQ(grid.ReadCell(9, 1), "回数");
    EXPECT_TRUE(grid.Cell(12, 1).overflow);
    // Each title band is one outlined block.
    using S = ResultGrid::Side;
    EXPECT_EQ(grid.Cell(2, 1).border[int(S::Right)].style, 0);
    EXPECT_EQ(grid.Cell(8, 1).border[int(S::Right)].style, 1);

    // Draw 2 leaves no row: draw 3 follows draw 1 and the last row stays empty.
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.ReadCell(1, 3), "3");
    EXPECT_EQ(ColumnsIn(grid, 9, 3, kSkipOne), (std::vector<int>{10, 11, 12, 13, 14, 15, 16}));
    EXPECT_TRUE(grid.IsEmpty(1, 4));
    EXPECT_EQ(grid.Cell(9, 4).back, MakeRgb(255, 255, 200));
}

TEST(PairAnalysis, RealHistoryShadesExactlyTheAdjacentPairs) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    BuildPairAnalysis(g, grid);
    int row = 2;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        for (int step = 1; step <= 2; ++step) {
            const int first = step == 1 ? 1 : 9;
            std::vector<int> expected;
            for (int k = 0; k < 7; ++k) {
                const bool before = k > 0 && draw.Main(k) == draw.Main(k - 1) + step;
                const bool after = k < 6 && draw.Main(k + 1) == draw.Main(k) + step;
                if (before || after) expected.push_back(first + 1 + k);
            }
            const Rgb pair = step == 1 ? kConsecutive : kSkipOne;
            ASSERT_EQ(ColumnsIn(grid, first, row, pair), expected) << "draw " << draw.drawNumber;
            ASSERT_EQ(grid.Cell(first, row).back == kGrey, expected.empty());
        }
        ++row;
    }
    EXPECT_EQ(row, grid.RowCount() + 1);  // the draws fill the whole grid
}

}  // namespace
