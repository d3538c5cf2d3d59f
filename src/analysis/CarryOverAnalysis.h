#pragma once

#include "core/GlobalBas.h"
#include "core/GridStyle.h"
#include "core/ResultGrid.h"

// 引っ張り分析: one row per complete draw; the numbers that were also drawn in
// the previous complete draw (main and bonus alike) are marked.
void BuildCarryOverTable(const GlobalBas& g, ResultGrid& grid);
void SetUpCarryOverGrid(const GlobalBas& g, ResultGrid& grid, int headerCount);
void WriteCarryOverHeader(ResultGrid& grid, int row);
void FillCarryOverRows(const GlobalBas& g, ResultGrid& grid);
void MarkCarriedNumber(ResultGrid& grid, int column, int row);

// The background of a carried-over number.
inline constexpr Rgb kCarriedBack = kPaleCyan;
