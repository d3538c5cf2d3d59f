#pragma once

#include <string_view>

#include "core/DrawRecord.h"
#include "core/GridStyle.h"
#include "core/Rgb.h"

// What the mark charts (frequency, dispersion, group division) share.

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

// The shape of the frequency and dispersion charts: the given size, two
// frozen heading rows 15 points high, the label column frozen, both scroll
// bars, rows 10 points high, mark columns 2 characters and the label columns
// at both ends 5 characters wide.
void ShapeMarkChart(ResultGrid& grid, GridShape shape);
