#include <gtest/gtest.h>

#include "analysis/AnalysisCatalog.h"
#include "analysis/DigitTendencyAnalysis.h"
#include "support/TestSupport.h"

namespace {

const Rgb kPink = MakeRgb(255, 200, 200), kCyan = MakeRgb(200, 255, 255),
          kGreen = MakeRgb(200, 255, 200);

ResultGrid Build(const std::vector<TestDraw>& draws) {
    ResultGrid grid;
    BuildDigitTable(MakeGlobals(draws), grid);
    return grid;
}

// Rows of slots, digits 0 … 9 (columns 2 … 11) joined by "|".
std::string Slots(const ResultGrid& grid, int row) {
    std::string joined;
    for (int c = 2; c <= 11; ++c) joined += grid.ReadCell(c, row) + (c < 11 ? "|" : "");
    return joined;
}

void ExpectHeader(const ResultGrid& grid, int titleRow, int digitRow) {
    EXPECT_EQ(grid.ReadCell(1, titleRow), "回数");
    EXPECT_EQ(grid.ReadCell(2, titleRow), std::string(43, ' ') + "下一桁数字" +
                                              std::string(27, ' ') + "\u3000\u3000\u3000" +
                                              std::string(18, ' '));
    EXPECT_DOUBLE_EQ(grid.RowHeight(titleRow), 20);
    // One outlined block over the digit columns, no inner vertical lines.
    EXPECT_EQ(grid.Cell(2, titleRow).border[0].style, 1);
    EXPECT_EQ(grid.Cell(6, titleRow).border[0].style, 0);
    EXPECT_EQ(Slots(grid, digitRow), "0|1|2|3|4|5|6|7|8|9");
    EXPECT_EQ(grid.Cell(11, digitRow).back, kPink);
}

TEST(DigitTendency, SlotsHoldOneDigitPerNumberColouredByHowMany) {
    const ResultGrid grid =
        Build({Draw(1, {3, 13, 23, 33, 5, 6, 7, 10, 20}), Draw(2, {10, 20, 30, 1, 11, 21, 2, 4, 8}),
               Draw(3, {1, 2, 3, 4, 5, 6, 7, 18, 29}), Draw(4, {-3, 45, 3, 4, 5, 6, 7, 8, 9})});
    EXPECT_EQ(grid.ReadCell(1, 3), "1");
    EXPECT_EQ(Slots(grid, 3), "00|||3333||5|6|7||");
    EXPECT_EQ(grid.Cell(5, 3).back, kPink);
    EXPECT_EQ(grid.Cell(2, 3).back, kCyan);
    for (int c : {3, 7, 8, 9, 10}) EXPECT_EQ(grid.Cell(c, 3).back, kWhite);
    EXPECT_EQ(Slots(grid, 4), "000|111|2||4||||8|");  // 10, 20, 30 end in 0
    EXPECT_EQ(grid.Cell(3, 4).back, kGreen);
    EXPECT_EQ(Slots(grid, 5), "|1|2|3|4|5|6|7|8|9");
    for (int c = 2; c <= 11; ++c) EXPECT_EQ(grid.Cell(c, 5).back, kWhite);
    // A negative number (another tool's store) has no slot; 45 still ends in 5.
    EXPECT_EQ(Slots(grid, 6), "|||3|4|55|6|7|8|9");
}

TEST(DigitTendency, HeadersFrameTheRowsOfCompleteDrawsOnly) {
    TestDraw incomplete = Draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    incomplete.numbers[8].reset();
    const ResultGrid grid = Build(
        {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), incomplete, Draw(3, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    ASSERT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.ReadCell(1, 4), "3");
    EXPECT_EQ(grid.ReadCell(1, 5), "");
    ExpectHeader(grid, 1, 2);
    ExpectHeader(grid, 7, 6);
    EXPECT_EQ(grid.Cell(1, 5).back, MakeRgb(255, 255, 200));

    const ResultGrid empty = Build({});
    ASSERT_EQ(empty.RowCount(), 4);
    ExpectHeader(empty, 1, 2);
    ExpectHeader(empty, 4, 3);
}

TEST(DigitTendency, RowsThatDoNotFitStopTheBuildAndKeepWhatWasWritten) {
    // More complete draws than the latest draw number leaves rows for.
    ResultGrid crowded;
    EXPECT_THROW(BuildDigitTable(MakeGlobals({Draw(0, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                              Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})}),
                                 crowded),
                 BuildStopped);
    EXPECT_EQ(crowded.ReadCell(1, 3), "0");
    ExpectHeader(crowded, 5, 4);

    ResultGrid cut;
    EXPECT_THROW(BuildDigitTable(MakeGlobals({Draw(32765, {1, 2, 3, 4, 5, 6, 7, 8, 9})}), cut),
                 BuildStopped);
    EXPECT_EQ(cut.RowCount(), 32767);
    EXPECT_EQ(cut.ReadCell(1, 3), "32765");
}

TEST(DigitTendency, EveryRealDrawSpreadsItsNineNumbersOverTheSlots) {
    const GlobalBas& g = RealHistory();
    ResultGrid grid;
    BuildDigitTable(g, grid);
    ASSERT_EQ(grid.RowCount(), g.LatestDrawNumber + 4);
    for (int row = 3; row <= g.LatestDrawNumber + 2; ++row) {
        std::size_t total = 0;
        for (int c = 2; c <= 11; ++c) {
            const std::string slot = grid.ReadCell(c, row);
            total += slot.size();
            EXPECT_EQ(slot, std::string(slot.size(), static_cast<char>('0' + c - 2)));
            const Rgb colour = slot.size() >= 4   ? kPink
                               : slot.size() == 3 ? kGreen
                               : slot.size() == 2 ? kCyan
                                                  : kWhite;
            EXPECT_EQ(grid.Cell(c, row).back, colour);
        }
        EXPECT_EQ(total, 9u) << "row " << row;
    }
}

}  // namespace
