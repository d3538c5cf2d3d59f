#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/ResultGrid.h"

// The four grids of the prediction window, fpSpread1(0) … fpSpread1(3):
// cycle method, elimination, rapid-fire and one-shot.  Each has 8 columns:
// column 1 the row labels, columns 2–8 seven numbers, row 1 a header band.
inline constexpr int kPredictionGridCount = 4;
inline constexpr int kCycleGrid = 0;
inline constexpr int kEliminationGrid = 1;
inline constexpr int kRapidFireGrid = 2;
inline constexpr int kOneShotGrid = 3;

inline constexpr int kPredictionGridColumns = 8;
inline constexpr int kFirstNumberColumn = 2;
inline constexpr int kFirstNumberRow = 2;

// The row labels in column 1: one per cycle row of grid 0, then the label of
// the number rows of grids 1–3.
inline constexpr std::array<std::string_view, 4> kCycleRowLabels = {" 7回周期法", " 9回周期法",
                                                                    "11回周期法", "12回周期法"};
inline constexpr std::string_view kEliminationRowLabel = "消去法";
inline constexpr std::string_view kRapidFireRowLabel = "連発予想";
inline constexpr std::string_view kOneShotRowLabel = "１発予想";

// What the window shows of one grid: the label above it, its place in the
// window (twips; every grid is at left 4320 and 5280 wide) and its rows.
struct PredictionGridLayout {
    std::string_view label;
    int topTwips;
    int heightTwips;
    int rows;
};
inline constexpr int kPredictionGridLeftTwips = 4320;
inline constexpr int kPredictionGridWidthTwips = 5280;
inline constexpr std::array<PredictionGridLayout, kPredictionGridCount> kPredictionGrids = {{
    {"●周期法による予想", 1680, 1095, 5},
    {"●消去法による予想(この予想数字を組合わせて購入します)", 3480, 915, 4},
    {"●連発カゾリア予想(この予想数字を組合わせて購入します)", 5040, 615, 3},
    {"●一発カゾリア予想", 6360, 675, 2},
}};

// "fpSpread1(index)", the grid's name in dumps.
std::string PredictionGridName(int index);

// Size, behaviour, cell style, borders and row labels of grid `index`.
void SetUpPredictionGrid(int index, ResultGrid& grid);

// The header band "本 数 字" in row 1, coloured, with the borders inside the
// band (and inside the merged row labels of grids 1 and 2) removed.
void WritePredictionHeader(int index, ResultGrid& grid);

// Empties columns 2–8 of rows firstRow … lastRow, keeping them centred.
void ClearNumberCells(ResultGrid& grid, int firstRow, int lastRow);

// Empties the elimination grid's number cells (rows 2–4) before an option
// change recomputes it.
void ClearEliminationArea(ResultGrid& grid);
