#include <gtest/gtest.h>

#include "analysis/AnalysisCatalog.h"
#include "analysis/FrequencyAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kMain = MakeRgb(62, 158, 255);
constexpr Rgb kPink = MakeRgb(255, 128, 192);
constexpr Rgb kGreen = MakeRgb(0, 255, 170);
constexpr Rgb kBlue = MakeRgb(0, 0, 255);
constexpr Rgb kLabelBack = MakeRgb(222, 254, 253);

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildFrequency(g, grid);
    return grid;
}

// The dot colours in number n's row, left to right.
std::vector<Rgb> Bar(const ResultGrid& grid, int n) {
    std::vector<Rgb> colours;
    for (int column = 1; column <= grid.ColumnCount(); ++column) {
        if (grid.ReadCell(column, n + 2) == "●") colours.push_back(grid.Cell(column, n + 2).fore);
    }
    return colours;
}

TEST(FrequencyAnalysis, DotsRunInDrawOrderColouredByKindOfAppearance) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
        Draw(2, {10, 11, 12, 13, 14, 15, 16, 1, 2}),
        {3, {1, 2, 3, std::nullopt, 5, 6, 7, 8, 9}},  // incomplete: no dots
        Draw(4, {1, 20, 21, 22, 23, 24, 25, 26, 2}),
    });
    const ResultGrid grid = Build(g);
    ASSERT_EQ(grid.ColumnCount(), 5);  // number 1 appeared 3 times
    EXPECT_EQ(Bar(grid, 1), (std::vector<Rgb>{kMain, kPink, kMain}));
    EXPECT_EQ(Bar(grid, 2), (std::vector<Rgb>{kMain, kGreen, kGreen}));
    EXPECT_EQ(Bar(grid, 3), (std::vector<Rgb>{kMain}));
    EXPECT_EQ(Bar(grid, 37), (std::vector<Rgb>{}));
    // The fullest bar ends in column L − 1, right before the label column.
    EXPECT_EQ(grid.ReadCell(4, 3), "●");
    EXPECT_EQ(grid.ReadCell(5, 3), "1");
    EXPECT_EQ(grid.ReadCell(5, 39), "37");
    EXPECT_EQ(grid.ReadCell(5, 2), "数字");
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(grid.ReadCell(k + 1, 2), std::to_string(k));
    // The title starts in the column nearest to a third of L.
    EXPECT_EQ(grid.ReadCell(2, 1), "  出 現 頻 度（回）");
}

TEST(FrequencyAnalysis, WithoutCompleteDrawsOnlyTheTwoLabelColumnsRemain) {
    const ResultGrid grid = Build(MakeGlobals({{1, {1, 2, 3, 4, 5, 6, 7, 8, std::nullopt}}}));
    ASSERT_EQ(grid.ColumnCount(), 2);
    EXPECT_EQ(grid.ReadCell(1, 1), "  出 現 頻 度（回）");
    for (int n = 1; n <= 37; ++n) EXPECT_TRUE(Bar(grid, n).empty());
    // No ordinal column exists, so the label columns keep their own colours.
    for (int column : {1, 2}) {
        EXPECT_EQ(grid.ReadCell(column, 2), "数字");
        EXPECT_EQ(grid.Cell(column, 2).fore, kBlue);
        EXPECT_EQ(grid.Cell(column, 2).back, kLabelBack);
    }
}

TEST(FrequencyAnalysis, ValuesOnlyAnotherToolCanStore) {
    // 0 and −1 would land in the heading rows, 38 below the grid.
    const ResultGrid outside = Build(MakeGlobals({Draw(1, {0, -1, 38, 4, 5, 6, 7, 8, 9})}));
    ASSERT_EQ(outside.ColumnCount(), 3);
    for (int row : {1, 2}) {
        for (int column = 1; column <= 3; ++column) EXPECT_NE(outside.ReadCell(column, row), "●");
    }
    EXPECT_EQ(outside.ReadCell(2, 2), "1");
    EXPECT_EQ(Bar(outside, 9), (std::vector<Rgb>{kGreen}));

    // A number repeated within a draw keeps one dot per counted appearance.
    const GlobalBas repeated = MakeGlobals({
        Draw(1, {5, 2, 3, 4, 5, 6, 7, 8, 5}),
        Draw(2, {5, 12, 13, 14, 15, 16, 17, 18, 19}),
    });
    const ResultGrid grid = Build(repeated);
    EXPECT_EQ(Bar(grid, 5), (std::vector<Rgb>{kMain, kMain, kGreen, kMain}));
    EXPECT_EQ(grid.ReadCell(5, 2), "4");
}

TEST(FrequencyAnalysis, ACountBeyondTheColumnRangeStopsWithAMessage) {
    GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    g.NumberCount[3] = 32766;
    ResultGrid grid;
    EXPECT_THROW(BuildFrequency(g, grid), BuildStopped);
}

TEST(FrequencyAnalysis, RealHistoryBarsMatchTheStartUpCounts) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    FindAnalysis("出現頻度分析")->build(g, grid);
    ASSERT_EQ(grid.ColumnCount(), g.MaxCount + 2);
    int complete = 0;
    for (const DrawRecord& d : g.Draws.Rows()) complete += d.IsComplete();
    int main = 0, pink = 0, green = 0;
    for (int n = 1; n <= 37; ++n) {
        const std::vector<Rgb> bar = Bar(grid, n);
        ASSERT_EQ(static_cast<int>(bar.size()), g.NumberCount[n]) << n;
        for (int k = 1; k <= g.NumberCount[n]; ++k) ASSERT_EQ(grid.ReadCell(k + 1, n + 2), "●");
        for (Rgb c : bar) {
            main += c == kMain;
            pink += c == kPink;
            green += c == kGreen;
        }
    }
    EXPECT_EQ(main, 7 * complete);
    EXPECT_EQ(pink, complete);
    EXPECT_EQ(green, complete);
    EXPECT_EQ(grid.ReadCell(g.MaxCount + 1, 2), std::to_string(g.MaxCount));
}

}  // namespace
