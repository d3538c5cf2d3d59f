#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 出現頻度分析: for each number 1 … 37 a bar of "●", one per appearance in
// the complete draws, left to right in draw order, coloured by the kind of
// appearance (main, bonus 1, bonus 2).
void BuildFrequency(const GlobalBas& g, ResultGrid& grid);

// The column count, which is also the column of the right-hand number
// labels: the largest appearance count + 2.  Throws BuildStopped when that
// passes the 16-bit column range.
int FrequencyLastColumn(const GlobalBas& g);

void SetUpFrequencyGrid(ResultGrid& grid, int lastColumn);
void WriteFrequencyHeadings(ResultGrid& grid, int lastColumn);
void FillFrequency(const GlobalBas& g, ResultGrid& grid);
