#include "analysis/CarryOverAnalysis.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kColumns = 10;
constexpr int kFirstDataRow = 2;

constexpr int NumberColumn(int field) { return field + 2; }

bool WasDrawn(const std::array<std::int16_t, kFieldCount>& numbers, int value) {
    return std::find(numbers.begin(), numbers.end(), value) != numbers.end();
}

}  // namespace

void MarkCarriedNumber(ResultGrid& grid, int column, int row) {
    grid.SelectCell(column, row);
    grid.SetBackColor(kCarriedBack);
}

void SetUpCarryOverGrid(const GlobalBas& g, ResultGrid& grid, int headerCount) {
    const int rows = PerDrawRowCount(g, headerCount);
    ShapeGrid(grid, {.columns = kColumns,
                     .rows = rows,
                     .visibleColumns = kColumns,
                     .visibleRows = 51,
                     .frozenRows = 1,
                     .frozenColumns = 1,
                     .scrollBars = 2});
    grid.SetRowHeight(-1, 10);
    grid.SetRowHeight(1, 15);
    grid.SetColumnWidth(-1, 7);
    grid.SetColumnWidth(9, 10);
    grid.SetColumnWidth(10, 10);
    CentreWholeGrid(grid);
    ColourDrawNumbers(grid, 1, 1, 1, rows);
    FillBlock(grid, 1, 1, kColumns, rows,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 1, kLineBlue); });
    grid.ActivateCell(0, 0);
}

void WriteCarryOverHeader(ResultGrid& grid, int row) {
    grid.SetRowHeight(row, 15);
    FillBlock(grid, 2, row, 8, row, [](ResultGrid& gr) {
        gr.DrawBorder(ResultGrid::kBorderAll, 0);
        gr.DrawBorder(ResultGrid::kBorderBottom, 1);
    });
    FillBlock(grid, 1, row, kColumns, row, [](ResultGrid& gr) {
        gr.SetForeColor(kBlack);
        gr.SetBackColor(kHeaderPink);
    });
    grid.WriteCell(1, row, "回数");
    FillBlock(grid, 1, row, kColumns, row, [](ResultGrid& gr) { gr.SetTextOverflow(true); });
    grid.WriteCell(5, row, " 本 数 字");
    grid.SelectCell(5, row);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    grid.WriteCell(9, row, "ボーナス数字1");
    grid.WriteCell(10, row, "ボーナス数字2");
}

void FillCarryOverRows(const GlobalBas& g, ResultGrid& grid) {
    // Nothing is carried into the first complete draw, whatever its numbers.
    std::optional<std::array<std::int16_t, kFieldCount>> previousNumbers;
    int row = kFirstDataRow;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, grid.RowCount());
        grid.WriteCell(1, row, draw.drawNumber);
        for (int field = 0; field < kFieldCount; ++field) {
            grid.WriteCell(NumberColumn(field), row, draw.numbers[field]);
            if (previousNumbers && WasDrawn(*previousNumbers, draw.numbers[field])) {
                MarkCarriedNumber(grid, NumberColumn(field), row);
            }
        }
        previousNumbers = draw.numbers;
        ++row;
    }
}

void BuildCarryOverTable(const GlobalBas& g, ResultGrid& grid) {
    constexpr int kHeaderCount = 0;
    SetUpCarryOverGrid(g, grid, kHeaderCount);
    WriteCarryOverHeader(grid, 1);
    FillCarryOverRows(g, grid);
}
