#include "analysis/NumberSumAnalysis.h"

#include <algorithm>
#include <string>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kSumColumns = 12;
constexpr int kMainSumColumn = 9;
constexpr int kTotalColumn = 12;
// The title of the main-number band: 23 blanks, an ideographic space, the
// title and 30 blanks, overflowing from column 2 across columns 2 to 8.
constexpr const char* kMainBandTitle =
    "                       　本 数 字                              ";

void ColourSumColumn(ResultGrid& grid, int column) {
    FillBlock(grid, column, 2, column, grid.RowCount(), [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetBackColor(kPaleCyan);
    });
}

}  // namespace

void SetUpSumGrid(const GlobalBas& g, ResultGrid& grid, int extraRows) {
    const int rows = CappedRowCount(g.LatestDrawNumber + extraRows + 1);
    ShapeDrawTable(grid, kSumColumns, rows, 5);
    grid.SetRowHeight(1, 20);
    grid.SetColumnWidth(kMainSumColumn, 8);
    grid.SetColumnWidth(10, 6);
    grid.SetColumnWidth(11, 6);
    grid.SetColumnWidth(kTotalColumn, 10);
    ColourDrawNumbers(grid, 1, 2, 1, grid.RowCount());
    ColourSumColumn(grid, kMainSumColumn);
    ColourSumColumn(grid, kTotalColumn);
    grid.ActivateCell(0, 0);
}

void WriteSumHeader(ResultGrid& grid, int row) {
    FillBlock(grid, 2, row, 8, row,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 0); });
    FillBlock(grid, 2, row, 10, row,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderOutline, 1); });
    FillBlock(grid, 1, row, kSumColumns, row, [](ResultGrid& gr) {
        gr.SetForeColor(kBlack);
        gr.SetBackColor(kHeaderPink);
        gr.SetTextOverflow(true);
    });
    grid.SelectCell(2, row);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    grid.WriteCell(2, row, kMainBandTitle);
    grid.SetRowHeight(row, 20);
    grid.WriteCell(1, row, "回数");
    grid.WriteCell(kMainSumColumn, row, "本数字合計");
    grid.WriteCell(10, row, "ボ数字1");
    grid.WriteCell(11, row, "ボ数字2");
    grid.WriteCell(kTotalColumn, row, "本数字+ボ数字");
}

void FillSumRows(const GlobalBas& g, ResultGrid& grid) {
    int row = 2;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, grid.RowCount());
        grid.WriteCell(1, row, draw.drawNumber);
        int mainSum = 0;
        for (int k = 0; k < kMainCount; ++k) {
            grid.WriteCell(2 + k, row, draw.Main(k));
            mainSum += draw.Main(k);
        }
        grid.WriteCell(kMainSumColumn, row, mainSum);
        grid.WriteCell(10, row, draw.Bonus1());
        grid.WriteCell(11, row, draw.Bonus2());
        grid.WriteCell(kTotalColumn, row, mainSum + draw.Bonus1() + draw.Bonus2());
        ++row;
    }
}

void BuildNumberSums(const GlobalBas& g, ResultGrid& grid) {
    SetUpSumGrid(g, grid, 0);
    WriteSumHeader(grid, 1);
    FillSumRows(g, grid);
}
