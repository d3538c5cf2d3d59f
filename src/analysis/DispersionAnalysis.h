#pragma once

#include <string_view>

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// バラツキ分析: one row per complete draw, one column per number, a coloured
// "●" wherever the draw's numbers fall.
void BuildDispersion(const GlobalBas& g, ResultGrid& grid);
// lastRow is the grid's last row, where the bottom header stands.
void SetUpDispersionGrid(ResultGrid& grid, int lastRow);
void WriteDispersionHeaders(ResultGrid& grid, int lastRow);
// Fills rows 3 up to the row above the bottom header.
void MarkDispersionDraws(const GlobalBas& g, ResultGrid& grid);

// --- shared by the mark charts (frequency, dispersion, group division) -----

inline constexpr std::string_view kDrawnMark = "●";

// The text colour of the mark of a draw's number field (0–6 main, 7 bonus 1,
// 8 bonus 2).
Rgb MarkColor(int field);

// Only the numbers 1 … 37 have a column (or row) of their own in a chart; a
// number written by another tool outside that range gets no mark.
constexpr bool HasChartPlace(int number) {
    return number >= kLowestNumber && number <= kHighestNumber;
}

// The row count of a chart of latestDrawNumber draws below headingRows
// heading rows, held to the 16-bit row range.
int ChartRowCount(int latestDrawNumber, int headingRows);
