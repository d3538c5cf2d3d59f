#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "analysis/AnalysisCatalog.h"
#include "analysis/IntervalAnalysis.h"
#include "support/TestSupport.h"

namespace {

ResultGrid Build(const GlobalBas& g) {
    ResultGrid grid;
    BuildIntervalTable(g, grid);
    return grid;
}

// The interval column of field f (0 = 第1数字 … 8 = ボーナス数字2).
int IntervalColumn(int field) { return 2 * field + 3; }

// Checks every interval cell against the literal search: a table of each read
// draw's numbers, walked from d − 1 down to 1 to the first draw holding x.
void ExpectSameAsWalk(const GlobalBas& g, const ResultGrid& grid) {
    std::vector<std::array<int, kFieldCount>> history(kIntervalLastDraw + 1);
    int row = 3;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        for (int f = 0; draw.IsComplete() && f < kFieldCount; ++f) {
            history[draw.drawNumber][f] = draw.numbers[f];
        }
        for (int f = 0; f < kFieldCount; ++f) {
            std::string expected = draw.IsComplete() ? "初回" : "";
            for (int j = draw.drawNumber - 1; draw.IsComplete() && j >= 1; --j) {
                if (std::ranges::find(history[j], draw.numbers[f]) != history[j].end()) {
                    expected = std::to_string(draw.drawNumber - j) + "回前";
                    break;
                }
            }
            ASSERT_EQ(grid.ReadCell(IntervalColumn(f), row), expected) << row << "," << f;
        }
        ++row;
    }
}

TEST(IntervalTable, WorkedExamples) {
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 2, 3, 4, 5, 6, 8, 9, 10}),
        Draw(2, {1, 11, 12, 13, 14, 15, 16, 17, 18}),
        Draw(10, {20, 21, 22, 23, 24, 25, 26, 7, 27}),
        Draw(11, {28, 29, 30, 31, 32, 33, 34, 35, 36}),
        Draw(12, {1, 2, 7, 3, 4, 5, 6, 8, 9}),
        TestDraw{14, {37, 2, 3, 4, 5, 6, 8, std::nullopt, 10}},
        Draw(15, {37, 20, 21, 22, 23, 24, 25, 26, 27}),
    });
    const ResultGrid grid = Build(g);
    for (int f = 0; f < kFieldCount; ++f) EXPECT_EQ(grid.ReadCell(IntervalColumn(f), 3), "初回");
    EXPECT_EQ(grid.ReadCell(IntervalColumn(0), 4), "1回前");
    // Draw 12: bonus 7 of draw 10 found from 第3数字; missing draws 3 … 9 count.
    EXPECT_EQ(grid.ReadCell(1, 7), "12");
    EXPECT_EQ(grid.ReadCell(IntervalColumn(2), 7), "2回前");
    EXPECT_EQ(grid.ReadCell(IntervalColumn(0), 7), "10回前");
    // The incomplete draw 14 leaves its row empty and its 37 is not found.
    for (int c = 1; c <= 19; ++c) EXPECT_TRUE(grid.IsEmpty(c, 8)) << c;
    EXPECT_EQ(grid.ReadCell(IntervalColumn(0), 9), "初回");
    EXPECT_EQ(grid.ReadCell(IntervalColumn(1), 9), "5回前");
}

TEST(IntervalTable, HeaderOnTopAndMirroredBelowTheData) {
    const ResultGrid grid = Build(MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    ASSERT_EQ(grid.RowCount(), 5);
    using S = ResultGrid::Side;
    const auto border = [&](int c, int r, S s) {
        return grid.Cell(c, r).border[static_cast<int>(s)].style;
    };
    for (const auto& [groupRow, titleRow] : {std::pair{1, 2}, std::pair{5, 4}}) {
        EXPECT_EQ(grid.ReadCell(8, groupRow), "本 数 字");
        EXPECT_EQ(grid.ReadCell(16, groupRow), "　　　ボーナス数字");
        // Two outlined groups meeting at column 15.
        EXPECT_EQ(border(8, groupRow, S::Left), 0);
        EXPECT_EQ(border(8, groupRow, S::Top), 1);
        EXPECT_EQ(border(15, groupRow, S::Left), 1);
        EXPECT_EQ(border(19, groupRow, S::Right), 1);
        EXPECT_EQ(grid.ReadCell(1, titleRow), "回数");
        EXPECT_EQ(grid.ReadCell(16, titleRow), "ボ数字1");
        EXPECT_EQ(grid.ReadCell(19, titleRow), "出現");
        EXPECT_EQ(grid.Cell(2, titleRow).back, MakeRgb(255, 200, 200));
    }
    EXPECT_EQ(grid.Cell(14, 3).back, MakeRgb(200, 255, 255));
    EXPECT_EQ(grid.Cell(16, 3).back, kWhite);
    EXPECT_EQ(Build(MakeGlobals({})).RowCount(), 4);
}

TEST(IntervalTable, DrawsOutsideTheTableOrItsRowsStopAndKeepEarlierRows) {
    ResultGrid grid;
    EXPECT_THROW(BuildIntervalTable(MakeGlobals({Draw(4999, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                                 Draw(5000, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                                 Draw(5001, {1, 2, 3, 4, 5, 6, 7, 8, 9})}),
                                    grid),
                 BuildStopped);
    EXPECT_EQ(grid.ReadCell(IntervalColumn(0), 4), "1回前");
    EXPECT_TRUE(grid.IsEmpty(1, 5));
    // Draw 0 (another tool's database) would push draw 2 onto the bottom header.
    ResultGrid short_;
    EXPECT_THROW(BuildIntervalTable(MakeGlobals({Draw(0, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                                 Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                                 Draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 9})}),
                                    short_),
                 BuildStopped);
    EXPECT_EQ(short_.ReadCell(IntervalColumn(0), 4), "初回");  // draw 0 is never searched
    EXPECT_EQ(short_.ReadCell(1, 5), "回数");
}

TEST(IntervalTable, MatchesTheWalkWithGapsIncompleteAndRepeatedDrawNumbers) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> number(kLowestNumber, kHighestNumber);
    std::vector<TestDraw> draws;
    for (int k = 1; k <= 400; ++k) {
        // Draw numbers 2k, some stored twice, so every row still fits.
        for (int copy = random() % 10 == 0 ? 2 : 1; copy > 0; --copy) {
            TestDraw draw{2 * k, {}};
            for (int f = 0; f < kFieldCount; ++f) draw.numbers.emplace_back(number(random));
            if (k < 400 && random() % 10 == 0) draw.numbers[random() % kFieldCount].reset();
            draws.push_back(draw);
        }
    }
    const GlobalBas g = MakeGlobals(draws);
    ExpectSameAsWalk(g, Build(g));
}

TEST(IntervalTable, RealHistoryMatchesTheWalk) {
    const GlobalBas& g = RealHistory();
    const ResultGrid grid = Build(g);
    ASSERT_EQ(grid.RowCount(), g.LatestDrawNumber + 4);
    ExpectSameAsWalk(g, grid);
    EXPECT_EQ(grid.ReadCell(19, g.LatestDrawNumber + 3), "出現");
}

TEST(AnalysisCatalog, PerDrawTablesIHaveTheirBuilds) {
    for (const char* name : {"出現間隔分析", "数字間隔分析", "出現回数分析", "引っ張り分析"}) {
        EXPECT_NE(FindAnalysis(name)->build, nullptr) << name;
    }
}

}  // namespace
