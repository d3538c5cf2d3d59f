#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 数字合計分析: every complete draw with its numbers, the sum of its seven main
// numbers and the sum of all nine.
void BuildNumberSums(const GlobalBas& g, ResultGrid& grid);
void SetUpSumGrid(const GlobalBas& g, ResultGrid& grid, int extraRows);
void WriteSumHeader(ResultGrid& grid, int row);
void FillSumRows(const GlobalBas& g, ResultGrid& grid);
