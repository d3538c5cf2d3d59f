#include <gtest/gtest.h>

#include "analysis/AnalysisCatalog.h"
#include "analysis/RangeAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kRangeBack[5] = {0, kWhite, MakeRgb(200, 255, 255), MakeRgb(200, 255, 200),
                               MakeRgb(255, 255, 200)};

std::vector<std::string> Counts(const ResultGrid& grid, int row) {
    std::vector<std::string> counts;
    for (int c = 11; c <= 14; ++c) counts.push_back(grid.ReadCell(c, row));
    return counts;
}

TEST(RangeAnalysis, CountsAndColoursAllNineNumbersByRange) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 9, 10, 19, 20, 29, 30, 31, 37}), Draw(2, {10, 11, 12, 13, 14, 15, 16, 17, 19}),
        Draw(3, {0, -5, 99, 1, 10, 20, 38, 32767, -32768}),  // written by another tool
    });
    ResultGrid grid;
    BuildRangeTable(g, grid);

    EXPECT_EQ(Counts(grid, 2), (std::vector<std::string>{"2", "2", "2", "3"}));
    const int ranges[] = {1, 1, 2, 2, 3, 3, 4, 4, 4};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(grid.Cell(2 + i, 2).back, kRangeBack[ranges[i]]) << "column " << 2 + i;
    }
    EXPECT_EQ(Counts(grid, 3), (std::vector<std::string>{"0", "9", "0", "0"}));
    // Numbers outside 1 … 29 all fall in the last range.
    EXPECT_EQ(Counts(grid, 4), (std::vector<std::string>{"1", "1", "1", "6"}));
    EXPECT_EQ(grid.Cell(2, 4).back, kRangeBack[4]);
    EXPECT_EQ(grid.ReadCell(10, 4), "-32768");
}

TEST(RangeAnalysis, HeaderIsRepeatedBelowTheDrawRows) {
    TestDraw incomplete{3, {1, 2, 3, 4, 5, 6, std::nullopt, 8, 9}};
    const GlobalBas g = MakeGlobals(
        {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), incomplete, Draw(4, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    ResultGrid grid;
    BuildRangeTable(g, grid);

    ASSERT_EQ(grid.RowCount(), 6);  // latest draw + 2
    const std::vector<std::string> header = {"回数",   "",       "",       "",      "本 数 字",
                                             "",       "",       "",       "ボ数1", "ボ数2",
                                             "01～09", "10～19", "20～29", "30～37"};
    for (int row : {1, 6}) {
        for (int c = 1; c <= 14; ++c) EXPECT_EQ(grid.ReadCell(c, row), header[c - 1]);
        EXPECT_EQ(grid.Cell(12, row).fore, MakeRgb(0, 0, 255));
    }
    // The rows left by draws 2 and 3 stay empty above the bottom header.
    EXPECT_EQ(grid.ReadCell(1, 3), "4");
    EXPECT_TRUE(grid.IsEmpty(1, 4));
    EXPECT_TRUE(grid.IsEmpty(1, 5));
    EXPECT_EQ(grid.Cell(13, 5).back, kRangeBack[3]);
    EXPECT_EQ(grid.Cell(11, 5).border[int(ResultGrid::Side::Left)].color, MakeRgb(255, 0, 0));
}

TEST(RangeAnalysis, BottomHeaderPastRow32767StopsAfterTheDrawRows) {
    const GlobalBas g = MakeGlobals({Draw(32766, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    ResultGrid grid;
    EXPECT_THROW(BuildRangeTable(g, grid), BuildStopped);
    EXPECT_EQ(grid.RowCount(), 32767);
    EXPECT_EQ(grid.ReadCell(1, 2), "32766");
    EXPECT_EQ(grid.ReadCell(11, 2), "9");
}

TEST(RangeAnalysis, RealHistoryCountsAddUpToNineAndMatchTheColours) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    BuildRangeTable(g, grid);
    int row = 2;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        int total = 0;
        for (int range = 1; range <= 4; ++range) total += std::stoi(grid.ReadCell(10 + range, row));
        ASSERT_EQ(total, 9) << "draw " << draw.drawNumber;
        for (int f = 0; f < 9; ++f) {
            const int n = draw.numbers[f];
            const int range = n <= 9 ? 1 : n <= 19 ? 2 : n <= 29 ? 3 : 4;
            ASSERT_EQ(grid.Cell(2 + f, row).back, kRangeBack[range]) << "draw " << draw.drawNumber;
        }
        ++row;
    }
    EXPECT_EQ(row, grid.RowCount());  // the bottom header follows the last draw
    EXPECT_EQ(grid.ReadCell(11, row), "01～09");
}

}  // namespace
