#pragma once

#include <array>

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 分割4傾向分析: every complete draw with its nine numbers coloured by range
// (01–09, 10–19, 20–29, 30–37) and the count of its numbers in each range,
// between a header row at the top and the same header at the bottom.
void BuildRangeTable(const GlobalBas& g, ResultGrid& grid);
void SetUpRangeGrid(const GlobalBas& g, ResultGrid& grid, int headerCount);
void WriteRangeHeader(ResultGrid& grid, int row);
void FillRangeRows(const GlobalBas& g, ResultGrid& grid);

// Counters of ranges 1 … 4 (index 0 unused).
using RangeCounts = std::array<int, 5>;

// The range 1 … 4 of a number; anything outside 1 … 29 belongs to range 4.
int RangeOf(int number);
// Adds 1 to the counter of the number's range.
void CountRange(RangeCounts& counts, int number);
// Sets the background of cell (column, row) to the colour of the number's range.
void ColourByRange(ResultGrid& grid, int number, int column, int row);
