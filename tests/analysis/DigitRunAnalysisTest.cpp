#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "analysis/AnalysisCatalog.h"
#include "analysis/DigitRunAnalysis.h"
#include "support/TestSupport.h"

namespace {

// A draw with no number ending in 3, or with one (3) or two (3 and 13).
TestDraw Threes(int drawNumber, int threes) {
    return Draw(drawNumber, {threes >= 1 ? 3 : 1, threes >= 2 ? 13 : 2, 4, 5, 6, 7, 8, 9, 10});
}

ResultGrid Build(const std::vector<TestDraw>& draws) {
    ResultGrid grid;
    BuildRunTable(MakeGlobals(draws), grid);
    return grid;
}

// The mark of a last digit in a draw: column digit + 2, row draw + 2.
std::string Mark(const ResultGrid& grid, int digit, int draw) {
    return grid.ReadCell(digit + 2, draw + 2);
}

TEST(DigitRun, RunsCountFromTheSecondConsecutiveDrawAndRestartAfterAGap) {
    std::vector<TestDraw> draws;
    for (int k = 1; k <= 15; ++k) draws.push_back(Threes(k, k >= 10 && k != 13));
    const ResultGrid grid = Build(draws);
    EXPECT_EQ(Mark(grid, 3, 10) + Mark(grid, 3, 11) + Mark(grid, 3, 12), "12");
    EXPECT_EQ(grid.Cell(5, 13).back, MakeRgb(200, 255, 255));
    EXPECT_EQ(grid.Cell(5, 13).border[3].style, 1);
    EXPECT_EQ(Mark(grid, 3, 14), "");  // a single appearance after a gap
    EXPECT_EQ(grid.Cell(5, 16).back, kWhite);
    EXPECT_EQ(Mark(grid, 3, 15), "1");
}

TEST(DigitRun, ADigitTwiceInOneDrawLengthensTheRunToTheEndOfTheList) {
    const GlobalBas g = MakeGlobals({Threes(10, 1), Threes(11, 2), Threes(12, 1)});
    EXPECT_EQ(CollectAppearances(g)[3], "00010 00011 00011 00012 ");
    ResultGrid grid;
    BuildRunTable(g, grid);
    EXPECT_EQ(Mark(grid, 3, 11), "2");
    EXPECT_EQ(Mark(grid, 3, 12), "3");
    // Six entries of digit 1 for three draws: the runs at the end still show.
    const ResultGrid repeated =
        Build({Draw(1, {1, 11, 21, 31, 2, 4, 5, 6, 7}), Threes(2, 0), Threes(3, 0)});
    EXPECT_EQ(Mark(repeated, 1, 1) + Mark(repeated, 1, 2) + Mark(repeated, 1, 3), "345");
}

TEST(DigitRun, RunColoursTurnEveryThreeMarksAndStayRedFromThe13th) {
    std::vector<TestDraw> draws;
    for (int k = 1; k <= 16; ++k) draws.push_back(Threes(k, 1));
    const ResultGrid grid = Build(draws);
    const std::array<Rgb, 5> colours = {MakeRgb(200, 255, 255), MakeRgb(200, 255, 200),
                                        MakeRgb(255, 255, 200), MakeRgb(255, 200, 255),
                                        MakeRgb(255, 200, 200)};
    for (int mark = 1; mark <= 15; ++mark) {
        EXPECT_EQ(Mark(grid, 3, mark + 1), std::to_string(mark));
        EXPECT_EQ(grid.Cell(5, mark + 3).back, colours[std::min((mark - 1) / 3, 4)]) << mark;
    }
}

TEST(DigitRun, EveryDrawNumberHasARowBetweenTheHeaders) {
    TestDraw incomplete = Threes(2, 1);
    incomplete.numbers[0].reset();
    const ResultGrid grid = Build({Threes(1, 1), incomplete, Threes(4, 1)});
    ASSERT_EQ(grid.RowCount(), 8);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(grid.ReadCell(1, k + 2), std::to_string(k));
    for (int d = 0; d <= 9; ++d) {
        EXPECT_EQ(Mark(grid, d, 2) + Mark(grid, d, 3) + Mark(grid, d, 4), "");
        EXPECT_EQ(grid.ReadCell(d + 2, 2) + grid.ReadCell(d + 2, 7),
                  std::string(2, static_cast<char>('0' + d)));
    }
    EXPECT_EQ(grid.ReadCell(1, 8), "回数");
    EXPECT_EQ(grid.ReadCell(2, 8), grid.ReadCell(2, 1));
    EXPECT_DOUBLE_EQ(grid.RowHeight(8), 20);

    const ResultGrid empty = Build({});
    ASSERT_EQ(empty.RowCount(), 4);
    EXPECT_EQ(
        empty.ReadCell(1, 1) + empty.ReadCell(11, 2) + empty.ReadCell(11, 3) + empty.ReadCell(1, 4),
        "回数99回数");
}

TEST(DigitRun, StoresFromAnotherToolNeverWriteOutsideTheTable) {
    // Negative numbers have no digit; draws numbered below 1 have no row.
    const ResultGrid grid =
        Build({Threes(-1, 1), Threes(0, 1), Draw(1, {-3, 3, 4, 5, 6, 7, 8, 9, 10})});
    EXPECT_EQ(grid.ReadCell(5, 1) + grid.ReadCell(5, 2) + Mark(grid, 3, 1), "3");

    // A run past 32767 stops the build; earlier marks stay.  (41 is not one
    // of the counted numbers, so the store itself loads.)
    std::vector<TestDraw> sameDigit;
    for (int k = 1; k <= 3641; ++k)
        sameDigit.push_back(Draw(k, {41, 41, 41, 41, 41, 41, 41, 41, 41}));
    ResultGrid stopped;
    EXPECT_THROW(BuildRunTable(MakeGlobals(sameDigit), stopped), BuildStopped);
    EXPECT_EQ(Mark(stopped, 1, 1), "8");
    EXPECT_EQ(Mark(stopped, 1, 3641), "32767");

    // A table past 32767 rows keeps the rows that fit.
    ResultGrid cut;
    EXPECT_THROW(BuildRunTable(MakeGlobals({Threes(32764, 1), Threes(32765, 1)}), cut),
                 BuildStopped);
    EXPECT_EQ(cut.RowCount(), 32767);
    EXPECT_EQ(cut.ReadCell(1, 32767) + Mark(cut, 3, 32765), "327651");
}

// Counted draw by draw instead of along the lists: after draw k a digit's run
// is the run after k − 1 plus its appearances in k when it was also in k − 1,
// else one less than its appearances in k; the cell shows a run above 0.
TEST(DigitRun, AppearanceEntriesAreFiveDigitsAndASpaceAndReadBack) {
    AppearanceLists lists;
    for (int draw : {1, 7, 689, 99999, 100000, -3}) AppendAppearance(lists, draw, 3);
    AppendAppearance(lists, 12, 10);  // not a last digit: no entry
    AppendAppearance(lists, 12, -1);
    EXPECT_EQ(lists[3], "00001 00007 00689 99999 100000 -0003 ");
    for (int digit = 0; digit < kDigitCount; ++digit) {
        if (digit != 3) {
            EXPECT_EQ(lists[digit], "") << digit;
        }
    }
    EXPECT_EQ(AppearanceEntry(lists[3], 0), 1);
    EXPECT_EQ(AppearanceEntry(lists[3], 2), 689);
    EXPECT_EQ(AppearanceEntry(lists[3], 3), 99999);
}

TEST(DigitRun, RealHistoryMatchesADrawByDrawCount) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    BuildRunTable(g, grid);
    const int latest = g.LatestDrawNumber;
    ASSERT_EQ(grid.RowCount(), latest + 4);
    std::vector<std::array<int, 10>> counts(latest + 1);
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (draw.IsComplete()) {
            for (int n : draw.numbers) ++counts[draw.drawNumber][n % 10];
        }
    }
    for (int d = 0; d < 10; ++d) {
        for (int k = 1, run = 0; k <= latest; ++k) {
            const int here = counts[k][d];
            if (here > 0) run = (k > 1 && counts[k - 1][d] > 0) ? run + here : here - 1;
            const bool shown = here > 0 && run > 0;
            EXPECT_EQ(Mark(grid, d, k), shown ? std::to_string(run) : "") << d << " in " << k;
        }
    }
}

}  // namespace
