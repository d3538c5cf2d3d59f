#include <gtest/gtest.h>

#include "analysis/CountClassAnalysis.h"
#include "core/GridStyle.h"
#include "support/TestSupport.h"

namespace {

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildCountClasses(g, grid);
    return grid;
}

TEST(CountClassAnalysis, OneRowPerOccurringCountAscendingWithHeadings) {
    const GlobalBas g =
        MakeGlobals({Draw(1, {12, 5, 1, 2, 3, 4, 6, 7, 8}), Draw(2, {5, 12, 1, 2, 3, 4, 6, 7, 9}),
                     Draw(3, {12, 5, 20, 21, 22, 23, 24, 25, 26})});
    const ResultGrid grid = Build(g);
    ASSERT_EQ(grid.ColumnCount(), 2);
    ASSERT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.ReadCell(1, 1), "出 現");
    EXPECT_EQ(grid.ReadCell(2, 1), "数 字");
    EXPECT_EQ(grid.Cell(1, 1).back, MakeRgb(255, 200, 200));
    EXPECT_EQ(grid.ReadCell(1, 2), "0回");  // numbers never drawn come first
    EXPECT_EQ(grid.ReadCell(1, 3), "1回");
    EXPECT_EQ(grid.ReadCell(1, 4), "2回");
    EXPECT_EQ(grid.ReadCell(1, 5), "3回");
    EXPECT_EQ(grid.ReadCell(2, 5), "5,12");
    EXPECT_EQ(grid.Cell(1, 5).back, kLightYellow);
    EXPECT_EQ(grid.Cell(2, 5).fore, kBlue);
    EXPECT_EQ(grid.Cell(2, 5).halign, ResultGrid::HAlign::Left);
    EXPECT_EQ(grid.Cell(1, 5).halign, ResultGrid::HAlign::Center);
    EXPECT_EQ(grid.Cell(2, 1).fore, kBlack);
    EXPECT_EQ(grid.ActiveColumn(), 0);
    EXPECT_EQ(grid.ActiveRow(), 0);
}

TEST(CountClassAnalysis, CountsNoNumberHasTakeNoRow) {
    // Number 1 three times, the rest of draw 1 once: counts 0, 1 and 3 occur, 2 does not.
    const GlobalBas g = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                     Draw(2, {1, 10, 11, 12, 13, 14, 15, 16, 17}),
                                     Draw(3, {1, 18, 19, 20, 21, 22, 23, 24, 25})});
    const ResultGrid grid = Build(g);
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.ReadCell(1, 3), "1回");
    EXPECT_EQ(grid.ReadCell(1, 4), "3回");
    EXPECT_EQ(grid.ReadCell(2, 4), "1");
}

TEST(CountClassAnalysis, EmptyDatabaseShowsTheHeadingRowOnly) {
    const ResultGrid grid = Build(MakeGlobals({}));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.ReadCell(1, 1), "出 現");
}

TEST(CountClassAnalysis, RealHistoryFillsTheGridExactly) {
    const GlobalBas& g = RealHistory();
    const ResultGrid grid = Build(g);
    EXPECT_EQ(grid.RowCount(), g.CountClassRowCount);
    int previous = -1;
    for (int r = 2; r <= grid.RowCount(); ++r) {
        const std::string label = grid.ReadCell(1, r);
        ASSERT_EQ(label.substr(label.size() - 3), "回");
        const int count = std::stoi(label);
        EXPECT_GT(count, previous);
        previous = count;
        EXPECT_EQ(grid.ReadCell(2, r), g.CountClassList[count]);
    }
    EXPECT_EQ(previous, g.MaxCount);
}

}  // namespace
