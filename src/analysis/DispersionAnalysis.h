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
