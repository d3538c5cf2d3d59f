#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 回数別出現分析: one row per appearance count that occurs, with the numbers
// that have that count, from the statistics derived at start-up.
void BuildCountClasses(const GlobalBas& g, ResultGrid& grid);
void SetUpCountClassGrid(const GlobalBas& g, ResultGrid& grid);
void WriteCountClassHeadings(const GlobalBas& g, ResultGrid& grid);
void FillCountClasses(const GlobalBas& g, ResultGrid& grid);
