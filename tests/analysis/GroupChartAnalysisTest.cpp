#include <gtest/gtest.h>

#include "analysis/AnalysisCatalog.h"
#include "analysis/GroupChartAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kMain = MakeRgb(62, 158, 255);
constexpr Rgb kPink = MakeRgb(255, 128, 192);
constexpr Rgb kGreen = MakeRgb(0, 255, 170);
constexpr Rgb kGrey = MakeRgb(210, 210, 210);
constexpr Rgb kTint = MakeRgb(200, 255, 255);
constexpr Rgb kLine = MakeRgb(136, 196, 255);

ResultGrid Build(const GlobalBas& g, int groups) {
    ResultGrid grid;
    BuildGroupChart(g, grid, groups);
    return grid;
}

// True when every cell of columns first … last in the row has this background.
bool BlockIs(const ResultGrid& grid, int row, int first, int last, Rgb back) {
    for (int column = first; column <= last; ++column) {
        if (grid.Cell(column, row).back != back) return false;
    }
    return true;
}

bool NoneIs(const ResultGrid& grid, int row, int first, int last, Rgb back) {
    for (int column = first; column <= last; ++column) {
        if (grid.Cell(column, row).back == back) return false;
    }
    return true;
}

TEST(GroupChartAnalysis, SevenGroupsGreyEveryGroupWithoutANumberMainOrBonus) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
        Draw(2, {11, 12, 13, 14, 15, 16, 17, 18, 19}),
    });
    const ResultGrid grid = Build(g, 7);
    ASSERT_EQ(grid.RowCount(), 5);
    // Draw 1: only A (columns 2–6) and B (7–11) hold numbers.
    EXPECT_TRUE(BlockIs(grid, 4, 2, 6, kWhite));
    EXPECT_TRUE(BlockIs(grid, 4, 7, 11, kTint));
    EXPECT_TRUE(BlockIs(grid, 4, 12, 38, kGrey));
    EXPECT_EQ(grid.Cell(9, 4).fore, kPink);
    EXPECT_EQ(grid.Cell(10, 4).fore, kGreen);
    // Draw 2: the tinted group B is empty, so it turns grey in this row only.
    EXPECT_TRUE(BlockIs(grid, 5, 2, 11, kGrey));
    EXPECT_TRUE(NoneIs(grid, 5, 12, 21, kGrey));
    EXPECT_TRUE(BlockIs(grid, 5, 17, 21, kTint));
    EXPECT_TRUE(BlockIs(grid, 5, 22, 38, kGrey));
    // The draw-number columns are never part of a group.
    EXPECT_EQ(grid.Cell(1, 5).back, MakeRgb(255, 255, 200));
    EXPECT_EQ(grid.Cell(39, 5).back, MakeRgb(255, 255, 200));
    EXPECT_EQ(grid.ReadCell(39, 5), "2");
}

TEST(GroupChartAnalysis, SixGroupsCountTheSecondBonusNumber) {
    const GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 7, 8, 13, 19, 25, 35})});
    const ResultGrid grid = Build(g, 6);
    EXPECT_TRUE(NoneIs(grid, 4, 2, 38, kGrey));
    EXPECT_EQ(grid.ReadCell(36, 4), "●");
    EXPECT_EQ(grid.Cell(36, 4).fore, kGreen);
    EXPECT_TRUE(BlockIs(grid, 4, 32, 38, kTint));  // F, the last group, is tinted
}

TEST(GroupChartAnalysis, NineGroupsPut32InHAnd33InI) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {32, 1, 5, 9, 13, 17, 21, 25, 2}),
        Draw(2, {33, 1, 5, 9, 13, 17, 21, 25, 2}),
    });
    const ResultGrid grid = Build(g, 9);
    EXPECT_TRUE(BlockIs(grid, 4, 30, 33, kTint));
    EXPECT_TRUE(BlockIs(grid, 4, 34, 38, kGrey));
    EXPECT_TRUE(BlockIs(grid, 5, 30, 33, kGrey));
    EXPECT_TRUE(BlockIs(grid, 5, 34, 38, kWhite));
    EXPECT_TRUE(NoneIs(grid, 4, 2, 29, kGrey));
}

TEST(GroupChartAnalysis, TitlesAndFramedGroupLabels) {
    const GlobalBas g = MakeGlobals({});
    const ResultGrid six = Build(g, 6);
    const ResultGrid seven = Build(g, 7);
    const ResultGrid nine = Build(g, 9);
    EXPECT_EQ(six.ReadCell(18, 1), "  数　　 字");
    EXPECT_EQ(seven.ReadCell(18, 1), " 数　　 字");
    EXPECT_EQ(nine.ReadCell(18, 1), "数　　 字");
    EXPECT_EQ(six.ReadCell(8, 2), "           Ｂ            ");
    EXPECT_EQ(six.ReadCell(32, 2), "             Ｆ          ");
    EXPECT_EQ(seven.ReadCell(32, 2), "             Ｇ          ");
    EXPECT_EQ(nine.ReadCell(2, 2), "       Ａ        ");
    EXPECT_EQ(nine.ReadCell(34, 2), "         Ｉ        ");
    for (const ResultGrid* grid : {&six, &seven, &nine}) {
        ASSERT_EQ(grid->RowCount(), 3);
        EXPECT_EQ(grid->ReadCell(1, 3), "回");
        EXPECT_EQ(grid->ReadCell(38, 3), "37");
    }
    // Group B of six (columns 8–13) is one framed block: outline, no inner lines.
    using S = ResultGrid::Side;
    const auto side = [&](int c, S s) { return six.Cell(c, 2).border[static_cast<int>(s)]; };
    EXPECT_EQ(side(8, S::Left), (ResultGrid::Pen{1, kLine}));
    EXPECT_EQ(side(8, S::Right).style, 0);
    EXPECT_EQ(side(13, S::Right), (ResultGrid::Pen{1, kLine}));
}

TEST(GroupChartAnalysis, NumbersOutsideTheRangeGetNoMarkButTheRowIsWritten) {
    const GlobalBas g = MakeGlobals({Draw(1, {0, 38, 1, 5, 9, 13, 17, 21, 25})});
    for (int groups : {6, 7, 9}) {
        const ResultGrid grid = Build(g, groups);
        ASSERT_EQ(grid.RowCount(), 4);
        EXPECT_EQ(grid.ReadCell(1, 4), "1");
        EXPECT_EQ(grid.ReadCell(39, 4), "1");
        EXPECT_EQ(grid.Cell(39, 4).fore, MakeRgb(255, 0, 0));
        int marks = 0;
        for (int column = 1; column <= 39; ++column) marks += grid.ReadCell(column, 4) == "●";
        EXPECT_EQ(marks, 7) << groups;
    }
    EXPECT_TRUE(BlockIs(Build(g, 6), 4, 32, 38, kGrey));
}

TEST(GroupChartAnalysis, RowsStopAtTheSixteenBitLimitKeepingWhatWasWritten) {
    std::vector<TestDraw> draws;
    for (int d = 1; d <= 32767; ++d) {
        const int a = d % 29 + 1;
        draws.push_back(Draw(d, {a, a + 1, a + 2, a + 3, a + 4, a + 5, a + 6, a + 7, a + 8}));
    }
    const GlobalBas g = MakeGlobals(draws);
    ResultGrid grid;
    EXPECT_THROW(BuildGroupChart9(g, grid), BuildStopped);
    ASSERT_EQ(grid.RowCount(), 32767);
    EXPECT_EQ(grid.ReadCell(1, 32767), "32764");
}

// Every row of every member on the real history: nine marks by kind, and a
// group is grey exactly when none of its columns holds a mark.
TEST(GroupChartAnalysis, RealHistoryGreyBlocksMatchTheMarks) {
    const GlobalBas& g = RealHistory();
    struct Member {
        const char* name;
        int width, groups;
    };
    for (const Member m : {Member{"分割6データ分析", 6, 6}, Member{"分割7データ分析", 5, 7},
                           Member{"分割9データ分析", 4, 9}}) {
        ResultGrid grid;
        FindAnalysis(m.name)->build(g, grid);
        ASSERT_EQ(grid.RowCount(), g.LatestDrawNumber + 3) << m.name;
        for (int row = 4; row <= grid.RowCount(); ++row) {
            int main = 0, pink = 0, green = 0;
            for (int group = 0; group < m.groups; ++group) {
                const int first = 2 + group * m.width;
                const int last = group == m.groups - 1 ? 38 : first + m.width - 1;
                bool any = false;
                for (int column = first; column <= last; ++column) {
                    if (grid.ReadCell(column, row) != "●") continue;
                    any = true;
                    const Rgb c = grid.Cell(column, row).fore;
                    main += c == kMain;
                    pink += c == kPink;
                    green += c == kGreen;
                }
                const Rgb expected = !any ? kGrey : group % 2 ? kTint : kWhite;
                ASSERT_TRUE(BlockIs(grid, row, first, last, expected))
                    << m.name << " row " << row << " group " << group;
            }
            ASSERT_EQ(main, 7) << m.name << " row " << row;
            ASSERT_EQ(pink, 1) << m.name << " row " << row;
            ASSERT_EQ(green, 1) << m.name << " row " << row;
        }
    }
}

}  // namespace
