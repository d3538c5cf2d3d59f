#pragma once

#include "core/ResultGrid.h"

// The palette the result grids share.
inline constexpr Rgb kHeaderPink = MakeRgb(255, 200, 200);   // heading bands
inline constexpr Rgb kLightYellow = MakeRgb(255, 255, 200);  // draw-number columns
inline constexpr Rgb kLineBlue = MakeRgb(136, 196, 255);     // grid lines of the charts
inline constexpr Rgb kChartHeaderBack = MakeRgb(222, 254, 253);
inline constexpr Rgb kPaleCyan = MakeRgb(200, 255, 255);
inline constexpr Rgb kPaleGreen = MakeRgb(200, 255, 200);
inline constexpr Rgb kPaleMagenta = MakeRgb(255, 200, 255);
inline constexpr Rgb kPaleBlue = MakeRgb(200, 200, 255);
inline constexpr Rgb kEmptyGroupGrey = MakeRgb(210, 210, 210);
inline constexpr Rgb kBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kBonusCyan = MakeRgb(197, 255, 255);  // bonus numbers of the entry grid
// Mark colours of drawn numbers in the chart windows and their legends.
inline constexpr Rgb kMainMark = MakeRgb(62, 158, 255);
inline constexpr Rgb kBonus1Mark = MakeRgb(255, 128, 192);
inline constexpr Rgb kBonus2Mark = MakeRgb(0, 255, 170);

// The fixed behaviour of every result grid: heading strips hidden.  (Grids
// are never edited: the view only shows them.)
void ApplyResultGridBehaviour(ResultGrid& grid);

// The size, visible area, frozen panes and scroll bars of a result grid.
struct GridShape {
    int columns = 0;
    int rows = 0;
    int visibleColumns = 0;
    int visibleRows = 0;
    int frozenRows = 0;
    int frozenColumns = 0;
    int scrollBars = 3;  // 0 none, 1 horizontal, 2 vertical, 3 both
};

// Gives a grid its shape and the fixed behaviour of result grids.
void ShapeGrid(ResultGrid& grid, const GridShape& shape);

// Every cell display-only and centred across and down.
void CentreWholeGrid(ResultGrid& grid);
// The same, with thin solid borders on every side of every cell.
void StyleWholeGrid(ResultGrid& grid);

// Selects the block (first column, first row, last column, last row; -1 for
// all), switches block mode on, runs style on the grid, and switches it off.
template <typename F>
void FillBlock(ResultGrid& grid, int c1, int r1, int c2, int r2, F&& style) {
    grid.SelectBlock(c1, r1, c2, r2);
    grid.BlockMode(true);
    style(grid);
    grid.BlockMode(false);
}

// The draw-number colours (red numbers on light yellow) for a block.
void ColourDrawNumbers(ResultGrid& grid, int c1, int r1, int c2, int r2);

// The shape of the tables with one row per draw under one heading row:
// every column visible and columnWidth characters wide, 51 rows visible,
// the heading row frozen, a vertical scroll bar, rows 10 points high, every
// cell display-only, centred and framed (StyleWholeGrid).
void ShapeDrawTable(ResultGrid& grid, int columns, int rows, double columnWidth);
