#include "prediction/PredictionGrids.h"

#include "core/GridStyle.h"

namespace {

using HAlign = ResultGrid::HAlign;
using VAlign = ResultGrid::VAlign;

constexpr double kRowHeight = 10;
constexpr double kNumberColumnWidth = 5;
constexpr double kLabelColumnWidth = 8;

// The header text starts at column 2 and overflows across the band.
const std::string kHeaderText = std::string(30, ' ') + "本 数 字" + std::string(26, ' ');

struct SingleLabel {
    std::string_view text;
    int row;
    int lastMergedRow;  // the label cells down to this row read as one cell
};
constexpr std::array<SingleLabel, kPredictionGridCount> kSingleLabels = {{
    {"", 0, 0},
    {kEliminationRowLabel, 3, 4},
    {kRapidFireRowLabel, 2, 3},
    {kOneShotRowLabel, 2, 0},
}};

void WriteRowLabels(int index, ResultGrid& grid) {
    if (index == kCycleGrid) {
        FillBlock(grid, 1, -1, 1, -1,
                  [](ResultGrid& g) { g.DrawBorder(ResultGrid::kBorderRight, 1); });
        for (int i = 0; i < static_cast<int>(kCycleRowLabels.size()); ++i) {
            grid.WriteCell(1, i + 2, kCycleRowLabels[i]);
        }
    } else {
        grid.WriteCell(1, kSingleLabels[index].row, kSingleLabels[index].text);
    }
}

}  // namespace

std::string PredictionGridName(int index) { return "fpSpread1(" + std::to_string(index) + ")"; }

void SetUpPredictionGrid(int index, ResultGrid& grid) {
    const int rows = kPredictionGrids.at(index).rows;
    ShapeGrid(grid, {.columns = kPredictionGridColumns,
                     .rows = rows,
                     .visibleColumns = kPredictionGridColumns,
                     .visibleRows = rows,
                     .frozenRows = 0,
                     .scrollBars = 0});
    grid.SetRowHeight(-1, kRowHeight);
    grid.SetColumnWidth(-1, kNumberColumnWidth);
    grid.SetColumnWidth(1, kLabelColumnWidth);
    // The cycle grid draws only the lines between its rows; the others box
    // every cell.
    const int sides = index == kCycleGrid ? ResultGrid::kBorderTop | ResultGrid::kBorderBottom
                                          : ResultGrid::kBorderAll;
    FillBlock(grid, 1, -1, kPredictionGridColumns, -1, [sides](ResultGrid& g) {
        g.SetCellKind(ResultGrid::CellKind::StaticText);
        g.SetHorizontalAlign(HAlign::Center);
        g.SetVerticalAlign(VAlign::Center);
        g.DrawBorder(sides, 1);
    });
    WriteRowLabels(index, grid);
    grid.ActivateCell(0, 0);
}

void WritePredictionHeader(int index, ResultGrid& grid) {
    const auto removeBorders = [](ResultGrid& g) { g.DrawBorder(ResultGrid::kBorderAll, 0); };
    FillBlock(grid, kFirstNumberColumn, 1, kPredictionGridColumns, 1, removeBorders);
    if (const int last = kSingleLabels.at(index).lastMergedRow; last > 0) {
        FillBlock(grid, 1, 2, 1, last, removeBorders);
    }
    FillBlock(grid, -1, -1, -1, -1, [](ResultGrid& g) { g.SetTextOverflow(true); });
    FillBlock(grid, kFirstNumberColumn, 1, kFirstNumberColumn, 1, [](ResultGrid& g) {
        g.SetHorizontalAlign(HAlign::Left);
        g.SetVerticalAlign(VAlign::Center);
    });
    grid.WriteCell(kFirstNumberColumn, 1, kHeaderText);
    FillBlock(grid, 1, 1, kPredictionGridColumns, 1, [](ResultGrid& g) {
        g.SetForeColor(kBlue);
        g.SetBackColor(kHeaderPink);
    });
}

void ClearNumberCells(ResultGrid& grid, int firstRow, int lastRow) {
    FillBlock(grid, kFirstNumberColumn, firstRow, kPredictionGridColumns, lastRow,
              [](ResultGrid& g) {
                  g.SetText("");
                  g.SetHorizontalAlign(HAlign::Center);
                  g.SetVerticalAlign(VAlign::Center);
              });
}

void ClearEliminationArea(ResultGrid& grid) { ClearNumberCells(grid, kFirstNumberRow, 4); }
