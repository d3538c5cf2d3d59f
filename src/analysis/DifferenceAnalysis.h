#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 数字間隔分析: one row per stored draw with, beside each of its nine numbers,
// the signed difference from the number in the same position of the previous
// complete draw.
void BuildDifferenceTable(const GlobalBas& g, ResultGrid& grid);
void SetUpDifferenceGrid(const GlobalBas& g, ResultGrid& grid, int headerCount);
void WriteDifferenceHeader(ResultGrid& grid, int baseRow, bool bottom);
void FillDifferenceRows(const GlobalBas& g, ResultGrid& grid);
// "+5" and "0" on white, "-5" on pink.
void WriteDifference(ResultGrid& grid, int difference, int column, int row);
