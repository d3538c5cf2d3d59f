#include "analysis/DispersionAnalysis.h"

#include <algorithm>
#include <limits>
#include <string>

#include "analysis/ChartMarks.h"
#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kColumnCount = kHighestNumber + 2;  // draw number, 1 … 37, draw number
constexpr int kLastNumberColumn = kHighestNumber + 1;
constexpr int kDispersionFirstRow = 3;
constexpr std::string_view kTitle = "数　　　　　　　字";

// Number n has its mark in column n + 1.
constexpr int ColumnOf(int number) { return number + 1; }

void SizeDispersionGrid(ResultGrid& grid, int lastRow) {
    ShapeMarkChart(grid, {.columns = kColumnCount,
                          .rows = lastRow,
                          .visibleColumns = kColumnCount,
                          .visibleRows = 47});
}

// One header row: "回" at both ends, the numbers between them.
void WriteHeaderRow(ResultGrid& grid, int row) {
    grid.WriteCell(1, row, "回");
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) grid.WriteCell(ColumnOf(n), row, n);
    grid.WriteCell(kColumnCount, row, "回");
    FillBlock(grid, 2, row, kLastNumberColumn, row, [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetCellKind(ResultGrid::CellKind::StaticText);
        gr.SetHorizontalAlign(ResultGrid::HAlign::Center);
        gr.SetVerticalAlign(ResultGrid::VAlign::Center);
        gr.SetBackColor(kChartHeaderBack);
    });
}

void MarkDraw(ResultGrid& grid, const DrawRecord& draw, int row) {
    grid.WriteCell(1, row, draw.drawNumber);
    grid.WriteCell(kColumnCount, row, draw.drawNumber);
    for (int field = 0; field < kFieldCount; ++field) {
        const int n = draw.numbers[field];
        if (HasChartPlace(n)) grid.WriteCell(ColumnOf(n), row, kDrawnMark);
    }
    for (int field = 0; field < kFieldCount; ++field) {
        const int n = draw.numbers[field];
        if (!HasChartPlace(n)) continue;
        grid.SelectCell(ColumnOf(n), row);
        grid.SetForeColor(MarkColor(field));
    }
}

}  // namespace

void SetUpDispersionGrid(ResultGrid& grid, int lastRow) {
    SizeDispersionGrid(grid, lastRow);
    CentreWholeGrid(grid);
    FillBlock(grid, 2, 1, kLastNumberColumn, 1,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderOutline, 1, kLineBlue); });
    grid.SelectCell(1, 1);
    grid.DrawBorder(ResultGrid::kBorderRight, 1, kLineBlue);
    FillBlock(grid, -1, -1, -1, -1, [](ResultGrid& gr) { gr.SetTextOverflow(true); });
    grid.WriteCell(19, 1, kTitle);
    grid.SelectCell(19, 1);
    grid.SetForeColor(kBlue);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Center);
    FillBlock(grid, 2, 1, kLastNumberColumn, 1,
              [](ResultGrid& gr) { gr.SetBackColor(kChartHeaderBack); });
    for (int column : {1, kColumnCount}) {
        ColourDrawNumbers(grid, column, 1, column, lastRow);
    }
    FillBlock(grid, 1, 2, kColumnCount, lastRow,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 1, kLineBlue); });
    grid.ActivateCell(0, 0);
}

void WriteDispersionHeaders(ResultGrid& grid, int lastRow) {
    WriteHeaderRow(grid, 2);
    WriteHeaderRow(grid, lastRow);
}

void MarkDispersionDraws(const GlobalBas& g, ResultGrid& grid) {
    const int bottomHeaderRow = grid.RowCount();
    int row = kDispersionFirstRow;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        // Only a grid held to the 16-bit row limit can run out of rows.
        CheckRowFor(draw, row, bottomHeaderRow - 1);
        MarkDraw(grid, draw, row);
        ++row;
    }
}

void BuildDispersion(const GlobalBas& g, ResultGrid& grid) {
    const int lastRow = ChartRowCount(g.LatestDrawNumber, 3);
    SetUpDispersionGrid(grid, lastRow);
    WriteDispersionHeaders(grid, lastRow);
    MarkDispersionDraws(g, grid);
}
