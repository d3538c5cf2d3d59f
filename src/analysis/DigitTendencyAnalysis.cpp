#include "analysis/DigitTendencyAnalysis.h"

#include <algorithm>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kHeaderCount = 1;
constexpr int kTendencyFirstRow = 3;

Rgb SlotColour(std::size_t length) {
    if (length >= 4) return kHeaderPink;
    if (length == 3) return kPaleGreen;
    if (length == 2) return kPaleCyan;
    return kWhite;
}

void PaintHeaderRows(ResultGrid& grid, int firstRow) {
    FillBlock(grid, 2, firstRow, kDigitGridColumns, firstRow + 1, [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetBackColor(kHeaderPink);
    });
}

}  // namespace

// --- shared by both last-digit windows -------------------------------------

void LayOutDigitGrid(ResultGrid& grid, int rows) {
    ShapeGrid(grid, {.columns = kDigitGridColumns,
                     .rows = std::min(rows, kMaxGridRows),
                     .visibleColumns = 29,
                     .visibleRows = 52,
                     .frozenRows = 2,
                     .scrollBars = 2});
    grid.SetRowHeight(-1, 10);
    grid.SetColumnWidth(-1, 5);
    CentreWholeGrid(grid);
    grid.ActivateCell(0, 0);
}

std::string DigitTitle() {
    return std::string(43, ' ') + "下一桁数字" + std::string(27, ' ') + "　　　" +
           std::string(18, ' ');
}

void WriteDigitTitleRow(ResultGrid& grid, int row) {
    FillBlock(grid, 2, row, kDigitGridColumns, row, [](ResultGrid& gr) {
        gr.DrawBorder(ResultGrid::kBorderLeft | ResultGrid::kBorderRight, 0);
        gr.DrawBorder(ResultGrid::kBorderOutline, 1);
    });
    grid.WriteCell(1, row, "回数");
    grid.WriteCell(2, row, DigitTitle());
    grid.SelectCell(2, row);
    grid.SetTextOverflow(true);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    grid.SetRowHeight(row, 20);
}

void WriteDigitNames(ResultGrid& grid, int row) {
    for (int digit = 0; digit < kDigitCount; ++digit) {
        grid.WriteCell(DigitColumn(digit), row, digit);
    }
}

// --- 下一桁出現傾向分析 ---------------------------------------------------------

void SetUpDigitGrid(const GlobalBas& g, ResultGrid& grid, int headerCount) {
    LayOutDigitGrid(grid, g.LatestDrawNumber + 3 + headerCount);
    ColourDrawNumbers(grid, 1, -1, 1, -1);
    FillBlock(grid, 1, 2, kDigitGridColumns, grid.RowCount(),
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 1); });
}

// The top header has its title row above the digit row; the bottom header
// mirrors it, digits first.
void WriteDigitHeader(ResultGrid& grid, int startRow, bool bottom) {
    const int titleRow = bottom ? startRow + 1 : startRow;
    const int digitRow = bottom ? startRow : startRow + 1;
    PaintHeaderRows(grid, startRow);
    FillBlock(grid, 1, titleRow, 1, titleRow,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderOutline, 1); });
    WriteDigitTitleRow(grid, titleRow);
    WriteDigitNames(grid, digitRow);
}

void AddDigit(DigitSlots& slots, int digit) {
    if (digit < 0 || digit >= kDigitCount) return;
    slots[digit] += static_cast<char>('0' + digit);
}

void ColourBySlotLength(ResultGrid& grid, std::string_view slot, int column, int row) {
    grid.SelectCell(column, row);
    grid.SetBackColor(SlotColour(slot.size()));
}

// One row per complete draw from row 3.  The rows end above the bottom header
// (row N + 3); a draw that would reach it (a store holding more complete draws
// than its latest draw number) stops the build, keeping the rows written.
void FillDigitRows(const GlobalBas& g, ResultGrid& grid) {
    const int lastRow = std::min(g.LatestDrawNumber + 2, grid.RowCount());
    int row = kTendencyFirstRow;
    DigitSlots slots;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, lastRow);
        for (std::string& slot : slots) slot.clear();
        grid.WriteCell(1, row, draw.drawNumber);
        for (int number : draw.numbers) {
            if (const auto digit = LastDigit(number)) AddDigit(slots, *digit);
        }
        for (int digit = 0; digit < kDigitCount; ++digit) {
            grid.WriteCell(DigitColumn(digit), row, slots[digit]);
            ColourBySlotLength(grid, slots[digit], DigitColumn(digit), row);
        }
        ++row;
    }
}

void BuildDigitTable(const GlobalBas& g, ResultGrid& grid) {
    const int bottomRow = g.LatestDrawNumber + 3;
    SetUpDigitGrid(g, grid, kHeaderCount);
    WriteDigitHeader(grid, 1, false);
    const bool bottomFits = bottomRow + 1 <= grid.RowCount();
    if (bottomFits) WriteDigitHeader(grid, bottomRow, true);
    FillDigitRows(g, grid);
    if (!bottomFits) StopWithoutBottomHeader();
}
