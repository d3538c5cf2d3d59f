#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 連番飛び石分析: one row per complete draw in each half of the grid, the left
// half shading consecutive main numbers (difference 1), the right half
// skip-one main numbers (difference 2), compared position by position.
void BuildPairAnalysis(const GlobalBas& g, ResultGrid& grid);
void SetUpPairGrid(const GlobalBas& g, ResultGrid& grid, int extraRows);
void WritePairHeader(ResultGrid& grid, int headerRow);
void MarkPairDraws(const GlobalBas& g, ResultGrid& grid);

// Shades cells (column, row) and (column + 1, row) in the consecutive colour,
// or in the skip-one colour when consecutive is false.
void ShadePair(ResultGrid& grid, bool consecutive, int column, int row);
// Greys cell (column, row) when the half found no pair.
void ShadeIfNoPair(ResultGrid& grid, int pairCount, int column, int row);
