#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 出現回数分析: one row per complete draw with, beside its nine numbers, how
// often each of them had been drawn (main or bonus) in the draws before it.
void BuildPastCountTable(const GlobalBas& g, ResultGrid& grid);
void SetUpPastCountGrid(const GlobalBas& g, ResultGrid& grid, int headerCount);
void WritePastCountHeader(ResultGrid& grid, int baseRow);
void FillPastCountRows(const GlobalBas& g, ResultGrid& grid);
