#include "analysis/PairAnalysis.h"

#include <algorithm>
#include <string>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kPairColumns = 16;
constexpr int kHalfWidth = 8;  // draw number + seven main numbers
constexpr Rgb kNoPairBack = MakeRgb(225, 225, 225);

void FrameHeaderBand(ResultGrid& grid, int firstColumn, int row, Rgb back) {
    FillBlock(grid, firstColumn, row, firstColumn + kMainCount - 1, row, [back](ResultGrid& gr) {
        gr.DrawBorder(ResultGrid::kBorderAll, 0);
        gr.DrawBorder(ResultGrid::kBorderOutline, 1);
        gr.SetBackColor(back);
    });
}

void WriteHeaderTitle(ResultGrid& grid, int column, int row, const char* title) {
    grid.SelectCell(column, row);
    grid.SetTextOverflow(true);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    grid.WriteCell(column, row, title);
}

// Writes one half of a draw's row and shades the pairs whose numbers differ by
// `step`, starting at column `first` (the draw-number column).
void MarkHalf(ResultGrid& grid, const DrawRecord& draw, int first, int row, int step) {
    grid.WriteCell(first, row, draw.drawNumber);
    for (int k = 0; k < kMainCount; ++k) grid.WriteCell(first + 1 + k, row, draw.Main(k));
    int pairs = 0;
    for (int k = 0; k + 1 < kMainCount; ++k) {
        if (draw.Main(k + 1) == draw.Main(k) + step) {
            ++pairs;
            ShadePair(grid, step == 1, first + 1 + k, row);
        }
    }
    ShadeIfNoPair(grid, pairs, first, row);
}

}  // namespace

void ShadePair(ResultGrid& grid, bool consecutive, int column, int row) {
    FillBlock(grid, column, row, column + 1, row, [consecutive](ResultGrid& gr) {
        gr.SetBackColor(consecutive ? kPaleCyan : kPaleGreen);
    });
}

void ShadeIfNoPair(ResultGrid& grid, int pairCount, int column, int row) {
    if (pairCount != 0) return;
    grid.SelectCell(column, row);
    grid.SetBackColor(kNoPairBack);
}

void SetUpPairGrid(const GlobalBas& g, ResultGrid& grid, int extraRows) {
    const int rows = CappedRowCount(g.LatestDrawNumber + extraRows + 1);
    ShapeDrawTable(grid, kPairColumns, rows, 4);
    for (int column : {1, 1 + kHalfWidth}) {
        ColourDrawNumbers(grid, column, -1, column, -1);
    }
    grid.ActivateCell(0, 0);
}

void WritePairHeader(ResultGrid& grid, int headerRow) {
    FrameHeaderBand(grid, 2, headerRow, kPaleMagenta);
    FrameHeaderBand(grid, 2 + kHalfWidth, headerRow, kHeaderPink);
    grid.WriteCell(1, headerRow, "回数");
    grid.WriteCell(1 + kHalfWidth, headerRow, "回数");
    WriteHeaderTitle(grid, 4, headerRow, "　連番(本数字)");
    WriteHeaderTitle(grid, 4 + kHalfWidth, headerRow, "　飛び石(本数字)");
}

void MarkPairDraws(const GlobalBas& g, ResultGrid& grid) {
    int row = 2;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, grid.RowCount());
        MarkHalf(grid, draw, 1, row, 1);
        MarkHalf(grid, draw, 1 + kHalfWidth, row, 2);
        ++row;
    }
}

void BuildPairAnalysis(const GlobalBas& g, ResultGrid& grid) {
    SetUpPairGrid(g, grid, 0);
    WritePairHeader(grid, 1);
    MarkPairDraws(g, grid);
}
