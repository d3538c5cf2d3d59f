#include "analysis/RangeAnalysis.h"

#include <algorithm>
#include <string>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kRangeColumns = 14;
constexpr int kRangeFirstCountColumn = 11;
constexpr Rgb kRangeBands[5] = {kWhite, kWhite, kPaleCyan, kPaleGreen, kLightYellow};
constexpr const char* kRangeTitles[5] = {"", "01～09", "10～19", "20～29", "30～37"};

void ColourDataColumn(ResultGrid& grid, int column, Rgb back) {
    FillBlock(grid, column, 2, column, grid.RowCount(),
              [back](ResultGrid& gr) { gr.SetBackColor(back); });
}

// The row of the bottom header: one past the last draw row.
int BottomHeaderRow(const GlobalBas& g) { return g.LatestDrawNumber + 2; }

}  // namespace

int RangeOf(int number) {
    if (number >= 1 && number <= 9) return 1;
    if (number >= 10 && number <= 19) return 2;
    if (number >= 20 && number <= 29) return 3;
    return 4;
}

void CountRange(RangeCounts& counts, int number) { ++counts[RangeOf(number)]; }

void ColourByRange(ResultGrid& grid, int number, int column, int row) {
    grid.SelectCell(column, row);
    grid.SetBackColor(kRangeBands[RangeOf(number)]);
}

void SetUpRangeGrid(const GlobalBas& g, ResultGrid& grid, int headerCount) {
    const int rows = CappedRowCount(g.LatestDrawNumber + 1 + headerCount);
    ShapeDrawTable(grid, kRangeColumns, rows, 5);
    grid.SetRowHeight(1, 20);
    grid.SetColumnWidth(1, 6);
    ColourDrawNumbers(grid, 1, 2, 1, grid.RowCount());
    ColourDataColumn(grid, 9, kLightYellow);
    ColourDataColumn(grid, 10, kLightYellow);
    for (int range = 2; range <= 4; ++range) {
        ColourDataColumn(grid, kRangeFirstCountColumn + range - 1, kRangeBands[range]);
    }
    // A red line between the numbers and the counts.
    FillBlock(grid, kRangeFirstCountColumn, -1, kRangeFirstCountColumn, -1,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderLeft, 1, kRed); });
    grid.ActivateCell(0, 0);
}

void WriteRangeHeader(ResultGrid& grid, int row) {
    FillBlock(grid, 2, row, 8, row, [](ResultGrid& gr) {
        gr.DrawBorder(ResultGrid::kBorderAll, 0);
        gr.DrawBorder(ResultGrid::kBorderBottom, 1, kBlack);
    });
    FillBlock(grid, 1, row, 10, row, [](ResultGrid& gr) {
        gr.SetForeColor(kBlack);
        gr.SetBackColor(kHeaderPink);
    });
    FillBlock(grid, kRangeFirstCountColumn, row, kRangeColumns, row, [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetBackColor(kPaleBlue);
    });
    FillBlock(grid, 1, row, kRangeColumns, row, [](ResultGrid& gr) { gr.SetTextOverflow(true); });
    grid.SelectCell(5, row);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    grid.WriteCell(5, row, "本 数 字");
    grid.SetRowHeight(row, 20);
    grid.WriteCell(1, row, "回数");
    grid.WriteCell(9, row, "ボ数1");
    grid.WriteCell(10, row, "ボ数2");
    for (int range = 1; range <= 4; ++range) {
        grid.WriteCell(kRangeFirstCountColumn + range - 1, row, kRangeTitles[range]);
    }
}

void FillRangeRows(const GlobalBas& g, ResultGrid& grid) {
    // Draw rows end above the bottom header (or at the grid's last row when
    // that header could not be placed).
    const int lastRow = std::min(BottomHeaderRow(g) - 1, grid.RowCount());
    int row = 2;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, lastRow);
        RangeCounts counts{};
        grid.WriteCell(1, row, draw.drawNumber);
        for (int field = 0; field < kFieldCount; ++field) {
            grid.WriteCell(2 + field, row, draw.numbers[field]);
            ColourByRange(grid, draw.numbers[field], 2 + field, row);
        }
        for (int field = 0; field < kFieldCount; ++field) CountRange(counts, draw.numbers[field]);
        for (int range = 1; range <= 4; ++range) {
            grid.WriteCell(kRangeFirstCountColumn + range - 1, row, counts[range]);
        }
        ++row;
    }
}

void BuildRangeTable(const GlobalBas& g, ResultGrid& grid) {
    constexpr int kHeaderCount = 1;
    SetUpRangeGrid(g, grid, kHeaderCount);
    WriteRangeHeader(grid, 1);
    const int bottom = BottomHeaderRow(g);
    const bool bottomFits = bottom <= kMaxGridRows;
    if (bottomFits) WriteRangeHeader(grid, bottom);
    FillRangeRows(g, grid);
    if (!bottomFits) StopWithoutBottomHeader();
}
