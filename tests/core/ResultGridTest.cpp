#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/ResultGrid.h"

namespace {

ResultGrid Grid(int columns, int rows) {
    ResultGrid g;
    g.SetColumnCount(columns);
    g.SetRowCount(rows);
    return g;
}

TEST(ResultGrid, BlockPastTheLastRowIsClippedAndCellsOutsideAreNotWritten) {
    ResultGrid g = Grid(2, 3);
    g.SelectBlock(1, 2, 1, 50);
    g.BlockMode(true);
    g.SetBackColor(MakeRgb(255, 255, 200));
    g.BlockMode(false);
    EXPECT_EQ(g.Cell(1, 1).back, kWhite);
    EXPECT_EQ(g.Cell(1, 2).back, MakeRgb(255, 255, 200));
    EXPECT_EQ(g.Cell(1, 3).back, MakeRgb(255, 255, 200));
    EXPECT_EQ(g.Cell(2, 3).back, kWhite);
    EXPECT_FALSE(g.WriteCell(3, 1, "x"));
    EXPECT_FALSE(g.WriteCell(1, 0, "x"));
    EXPECT_FALSE(g.WriteCell(1, 4, "x"));
    EXPECT_EQ(g.ReadCell(3, 1), "");
}

TEST(ResultGrid, MinusOneMeansWholeRowsColumnsOrGrid) {
    ResultGrid g = Grid(3, 3);
    g.SelectCell(2, -1);
    g.SetForeColor(kBlack + 1);
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(g.Cell(2, r).fore, kBlack + 1);
    EXPECT_EQ(g.Cell(1, 1).fore, kBlack);
    g.SelectCell(-1, 3);
    g.SetTextOverflow(true);
    for (int c = 1; c <= 3; ++c) EXPECT_TRUE(g.Cell(c, 3).overflow);
    EXPECT_FALSE(g.Cell(1, 2).overflow);
    g.SetColumnWidth(-1, 2.5);
    g.SetRowHeight(-1, 10);
    g.SetRowHeight(1, 15);
    EXPECT_DOUBLE_EQ(g.ColumnWidth(3), 2.5);
    EXPECT_DOUBLE_EQ(g.RowHeight(1), 15);
    EXPECT_DOUBLE_EQ(g.RowHeight(3), 10);
}

TEST(ResultGrid, WithoutBlockModeOnlyTheFirstCellOfASelectionChanges) {
    ResultGrid g = Grid(3, 3);
    g.SelectBlock(1, 1, 3, 3);
    g.SetBackColor(MakeRgb(1, 2, 3));
    EXPECT_EQ(g.Cell(1, 1).back, MakeRgb(1, 2, 3));
    EXPECT_EQ(g.Cell(2, 2).back, kWhite);
}

TEST(ResultGrid, NumbersAreWrittenInPlainDecimal) {
    ResultGrid g = Grid(2, 2);
    g.WriteCell(1, 1, 7);
    g.WriteCell(2, 1, -5);
    g.WriteCell(1, 2, 0);
    EXPECT_EQ(g.ReadCell(1, 1), "7");
    EXPECT_EQ(g.ReadCell(2, 1), "-5");
    EXPECT_EQ(g.ReadCell(1, 2), "0");
    EXPECT_TRUE(g.IsEmpty(2, 2));
}

TEST(ResultGrid, BordersPerSideOutlineAndColours) {
    ResultGrid g = Grid(4, 4);
    const Rgb blue = MakeRgb(136, 196, 255);
    g.SelectBlock(2, 1, 3, 2);
    g.BlockMode(true);
    g.DrawBorder(ResultGrid::kBorderOutline, 1, blue);
    g.BlockMode(false);
    using S = ResultGrid::Side;
    const auto side = [&](int c, int r, S s) { return g.Cell(c, r).border[static_cast<int>(s)]; };
    EXPECT_EQ(side(2, 1, S::Left).style, 1);
    EXPECT_EQ(side(2, 1, S::Left).color, blue);
    EXPECT_EQ(side(2, 1, S::Top).style, 1);
    EXPECT_EQ(side(2, 1, S::Right).style, 0);  // inside the block: no line
    EXPECT_EQ(side(3, 2, S::Right).style, 1);
    EXPECT_EQ(side(3, 2, S::Bottom).style, 1);
    EXPECT_EQ(side(2, 2, S::Top).style, 0);

    g.SelectCell(1, 4);
    g.DrawBorder(ResultGrid::kBorderRight | ResultGrid::kBorderBottom, 1);
    EXPECT_EQ(side(1, 4, S::Right).color, ResultGrid::kDefaultLineColor);
    EXPECT_EQ(side(1, 4, S::Bottom).style, 1);
    EXPECT_EQ(side(1, 4, S::Left).style, 0);
    g.DrawBorder(ResultGrid::kBorderAll, 0);  // style 0 removes
    EXPECT_EQ(side(1, 4, S::Right).style, 0);
}

TEST(ResultGrid, OutlineOfABlockRunningPastTheGridHasNoBottomInside) {
    ResultGrid g = Grid(1, 3);
    g.SelectBlock(1, 2, 1, 10);
    g.BlockMode(true);
    g.DrawBorder(ResultGrid::kBorderOutline, 1);
    g.BlockMode(false);
    EXPECT_EQ(g.Cell(1, 3).border[static_cast<int>(ResultGrid::Side::Bottom)].style, 0);
    EXPECT_EQ(g.Cell(1, 2).border[static_cast<int>(ResultGrid::Side::Top)].style, 1);
}

TEST(ResultGrid, GrowingKeepsCellsAndShrinkingDropsThem) {
    ResultGrid g = Grid(2, 2);
    g.WriteCell(2, 2, "b");
    g.SetColumnWidth(2, 4);
    g.SetColumnCount(5);
    g.SetRowCount(7);
    EXPECT_EQ(g.ReadCell(2, 2), "b");
    EXPECT_DOUBLE_EQ(g.ColumnWidth(2), 4);
    EXPECT_DOUBLE_EQ(g.ColumnWidth(5), ResultGrid::kDefaultColumnWidth);
    g.SetRowCount(1);
    g.SetRowCount(2);
    EXPECT_EQ(g.ReadCell(2, 2), "");
}

TEST(ResultGrid, LargestGridStaysCompact) {
    // 5004 × 39 cells must stay a few megabytes.
    static_assert(sizeof(ResultGrid::CellView) > 0);
    ResultGrid g = Grid(39, 5004);
    for (int r = 1; r <= 5004; ++r) g.WriteCell(1 + r % 39, r, r % 37 + 1);
    EXPECT_EQ(g.ReadCell(1 + 100 % 39, 100), std::to_string(100 % 37 + 1));
}

}  // namespace

namespace {

TEST(ResultGrid, MinusOneAsTheLastOfABlockRunsToTheEnd) {
    ResultGrid g;
    g.SetColumnCount(3);
    g.SetRowCount(5);
    g.SelectBlock(2, 3, 2, -1);
    g.BlockMode(true);
    g.SetBackColor(MakeRgb(9, 9, 9));
    g.BlockMode(false);
    EXPECT_EQ(g.Cell(2, 2).back, kWhite);
    EXPECT_EQ(g.Cell(2, 3).back, MakeRgb(9, 9, 9));
    EXPECT_EQ(g.Cell(2, 5).back, MakeRgb(9, 9, 9));
    EXPECT_EQ(g.Cell(3, 5).back, kWhite);
}

}  // namespace

namespace {

// Cells keep colours as indices into the grid's own list and their kind,
// alignments and overflow packed beside the text: every value reads back as
// written, cell by cell, also for the 300 colours of a shaded block, and
// texts written after the grid was done with keep their indices.
TEST(ResultGrid, CompactCellsReadBackEveryValueWritten) {
    using HAlign = ResultGrid::HAlign;
    using VAlign = ResultGrid::VAlign;
    using Kind = ResultGrid::CellKind;
    ResultGrid g;
    g.SetColumnCount(30);
    g.SetRowCount(10);
    const auto shade = [](int c, int r) { return MakeRgb(c * 8, r * 25, 255 - c); };
    for (int r = 1; r <= 10; ++r) {
        for (int c = 1; c <= 30; ++c) {
            g.SelectCell(c, r);
            g.SetBackColor(shade(c, r));
            g.SetForeColor(shade(r, c));
            g.SetHorizontalAlign(static_cast<HAlign>((c + r) % 3));
            g.SetVerticalAlign(static_cast<VAlign>(c % 3));
            g.SetCellKind((c + r) % 2 ? Kind::StaticText : Kind::EditText);
            g.SetTextOverflow(r % 2 == 1);
            g.WriteCell(c, r, c * r);
        }
    }
    const std::uint32_t sixIndex = g.TextIndex(2, 3);
    g.DoneWriting();
    g.WriteCell(30, 10, "6");  // the same text as at (2, 3) and (3, 2)
    EXPECT_EQ(g.TextIndex(30, 10), sixIndex);
    g.WriteCell(30, 10, 300);
    for (int r = 1; r <= 10; ++r) {
        for (int c = 1; c <= 30; ++c) {
            const ResultGrid::CellView cell = g.Cell(c, r);
            ASSERT_EQ(cell.back, shade(c, r)) << c << "," << r;
            ASSERT_EQ(cell.fore, shade(r, c)) << c << "," << r;
            ASSERT_EQ(cell.halign, static_cast<HAlign>((c + r) % 3)) << c << "," << r;
            ASSERT_EQ(cell.valign, static_cast<VAlign>(c % 3)) << c << "," << r;
            ASSERT_EQ(g.VerticalAlignment(c, r), cell.valign) << c << "," << r;
            ASSERT_EQ(cell.kind, (c + r) % 2 ? Kind::StaticText : Kind::EditText) << c << "," << r;
            ASSERT_EQ(cell.overflow, r % 2 == 1) << c << "," << r;
            ASSERT_EQ(cell.text, std::to_string(c * r)) << c << "," << r;
        }
    }
    // The kind and both alignments of a block set at once leave the other
    // fields, and the cells around the block, as they were.
    g.SelectBlock(2, 2, 3, 3);
    g.BlockMode(true);
    g.SetKindAndAlignment(Kind::StaticText, HAlign::Right, VAlign::Bottom);
    g.BlockMode(false);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const ResultGrid::CellView cell = g.Cell(c, r);
            const bool inside = c >= 2 && c <= 3 && r >= 2 && r <= 3;
            EXPECT_EQ(cell.halign, inside ? HAlign::Right : static_cast<HAlign>((c + r) % 3));
            EXPECT_EQ(cell.valign, inside ? VAlign::Bottom : static_cast<VAlign>(c % 3));
            EXPECT_EQ(cell.kind, inside || (c + r) % 2 ? Kind::StaticText : Kind::EditText);
            EXPECT_EQ(std::tie(cell.back, cell.overflow), std::tuple(shade(c, r), r % 2 == 1));
            EXPECT_EQ(cell.text, std::to_string(c * r));
        }
    }
    // A fresh cell: black on white, left, centred, editable, no overflow.
    ResultGrid fresh;
    fresh.SetColumnCount(1);
    fresh.SetRowCount(1);
    const ResultGrid::CellView cell = fresh.Cell(1, 1);
    EXPECT_EQ(std::tie(cell.fore, cell.back, cell.halign, cell.valign, cell.kind, cell.overflow),
              std::tuple(kBlack, kWhite, HAlign::Left, VAlign::Center, Kind::EditText, false));
}

// Each distinct text is kept once: a number written as a number or as text
// (small, negative, past the numbers kept at hand), before or after the
// look-up grows and after the grid was done with, reads one index.
TEST(ResultGrid, EachDistinctTextIsKeptOnce) {
    constexpr int kRows = 3000;
    const auto number = [](int r) { return r * 7 - 2000; };  // -1993 … 19000
    ResultGrid g = Grid(3, kRows);
    for (int r = 1; r <= kRows; ++r) {
        g.WriteCell(1, r, number(r));
        g.WriteCell(2, r, std::to_string(number(r)));
        g.WriteCell(3, r, "第" + std::to_string(r) + "回");
    }
    EXPECT_EQ(g.TextCount(), 1u + 2 * kRows);  // with the empty text
    for (int r = 1; r <= kRows; ++r) {
        ASSERT_EQ(g.ReadCell(1, r), std::to_string(number(r))) << r;
        ASSERT_EQ(g.TextIndex(1, r), g.TextIndex(2, r)) << r;
    }
    const std::uint32_t last = g.TextIndex(1, kRows);
    g.DoneWriting();
    g.WriteCell(3, 1, number(kRows));
    g.WriteCell(2, 1, "第3000回");
    EXPECT_EQ(g.TextIndex(3, 1), last);
    EXPECT_EQ(g.TextIndex(2, 1), g.TextIndex(3, kRows));
    EXPECT_EQ(g.TextCount(), 1u + 2 * kRows);
}

}  // namespace
