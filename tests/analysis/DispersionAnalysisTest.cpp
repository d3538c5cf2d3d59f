#include <gtest/gtest.h>

#include "analysis/AnalysisCatalog.h"
#include "analysis/DispersionAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kMain = MakeRgb(62, 158, 255);
constexpr Rgb kPink = MakeRgb(255, 128, 192);
constexpr Rgb kGreen = MakeRgb(0, 255, 170);
constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kYellow = MakeRgb(255, 255, 200);

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildDispersion(g, grid);
    return grid;
}

// The marks of a row counted by colour: main, bonus 1, bonus 2, anything else.
std::array<int, 4> MarksIn(const ResultGrid& grid, int row) {
    std::array<int, 4> m{};
    for (int column = 1; column <= grid.ColumnCount(); ++column) {
        if (grid.ReadCell(column, row) != "●") continue;
        const Rgb c = grid.Cell(column, row).fore;
        ++m[c == kMain ? 0 : c == kPink ? 1 : c == kGreen ? 2 : 3];
    }
    return m;
}

void ExpectHeaderRow(const ResultGrid& grid, int row) {
    EXPECT_EQ(grid.ReadCell(1, row), "回");
    EXPECT_EQ(grid.ReadCell(2, row), "1");
    EXPECT_EQ(grid.ReadCell(38, row), "37");
    EXPECT_EQ(grid.ReadCell(39, row), "回");
}

TEST(DispersionAnalysis, OneRowPerCompleteDrawWithMarksByField) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {10, 11, 12, 13, 14, 15, 16, 5, 37}),
        {2, {1, 2, 3, 4, 5, 6, 7, std::nullopt, 9}},
        Draw(3, {1, 2, 3, 4, 6, 7, 8, 9, 5}),
    });
    const ResultGrid grid = Build(g);
    ASSERT_EQ(grid.RowCount(), 3 + 3);
    // Draw 1 in row 3: bonus 1 = 5 is a pink mark in column 6.
    EXPECT_EQ(grid.ReadCell(1, 3), "1");
    EXPECT_EQ(grid.ReadCell(39, 3), "1");
    EXPECT_EQ(grid.Cell(6, 3).fore, kPink);
    EXPECT_EQ(grid.Cell(38, 3).fore, kGreen);
    // The incomplete draw 2 leaves no row: draw 3 follows in row 4.
    EXPECT_EQ(grid.ReadCell(1, 4), "3");
    EXPECT_EQ(grid.Cell(6, 4).fore, kGreen);
    for (int row : {3, 4}) EXPECT_EQ(MarksIn(grid, row), (std::array<int, 4>{7, 1, 1, 0}));
    // Row 5 stays empty but keeps its draw-number colours.
    EXPECT_EQ(MarksIn(grid, 5), (std::array<int, 4>{}));
    EXPECT_EQ(grid.Cell(39, 5).back, kYellow);
    ExpectHeaderRow(grid, 2);
    ExpectHeaderRow(grid, 6);
}

TEST(DispersionAnalysis, EmptyStoreHasTitleAndTwoHeaderRows) {
    const ResultGrid grid = Build(MakeGlobals({}));
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.ReadCell(19, 1), "数　　　　　　　字");
    ExpectHeaderRow(grid, 2);
    ExpectHeaderRow(grid, 3);
}

TEST(DispersionAnalysis, NumbersOutsideTheRangeLeaveTheDrawNumberColumnsAlone) {
    const ResultGrid grid = Build(MakeGlobals({Draw(1, {0, 38, 40, -2, 5, 6, 7, 8, 9})}));
    ASSERT_EQ(grid.RowCount(), 4);
    for (int column : {1, 39}) {
        EXPECT_EQ(grid.ReadCell(column, 3), "1");
        EXPECT_EQ(grid.Cell(column, 3).fore, kRed);
    }
    EXPECT_EQ(MarksIn(grid, 3), (std::array<int, 4>{3, 1, 1, 0}));
    ExpectHeaderRow(grid, 4);
}

TEST(DispersionAnalysis, RowsStopAtTheSixteenBitLimitKeepingWhatWasWritten) {
    // A high last draw number alone only shortens the padding below the draws.
    const ResultGrid sparse = Build(MakeGlobals(
        {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), Draw(32767, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    ASSERT_EQ(sparse.RowCount(), 32767);
    EXPECT_EQ(sparse.ReadCell(1, 4), "32767");
    ExpectHeaderRow(sparse, 32767);

    std::vector<TestDraw> draws;
    for (int d = 1; d <= 32767; ++d) {
        const int a = d % 29 + 1;
        draws.push_back(Draw(d, {a, a + 1, a + 2, a + 3, a + 4, a + 5, a + 6, a + 7, a + 8}));
    }
    ResultGrid grid;
    try {
        BuildDispersion(MakeGlobals(draws), grid);
        FAIL() << "32767 draws do not fit between the header rows";
    } catch (const BuildStopped& stopped) {
        EXPECT_NE(std::string(stopped.what()).find("第32765回"), std::string::npos);
    }
    EXPECT_EQ(grid.ReadCell(1, 32766), "32764");
    ExpectHeaderRow(grid, 32767);
}

TEST(DispersionAnalysis, RealHistoryHasNineMarksPerDrawInOrder) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    FindAnalysis("バラツキ分析")->build(g, grid);
    ASSERT_EQ(grid.RowCount(), g.LatestDrawNumber + 3);
    int row = 3;
    for (const DrawRecord& d : g.Draws.Rows()) {
        if (!d.IsComplete()) continue;
        ASSERT_EQ(grid.ReadCell(1, row), std::to_string(d.drawNumber));
        ASSERT_EQ(MarksIn(grid, row), (std::array<int, 4>{7, 1, 1, 0})) << d.drawNumber;
        EXPECT_EQ(grid.Cell(d.Bonus1() + 1, row).fore, kPink) << d.drawNumber;
        ++row;
    }
    ExpectHeaderRow(grid, grid.RowCount());
}

}  // namespace
