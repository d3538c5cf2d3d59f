#pragma once

#include <string_view>

#include "core/DrawRecord.h"
#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 出現間隔分析: one row per stored draw with, beside each of its nine numbers,
// how many draws earlier that number was last drawn (main and bonus alike).
void BuildIntervalTable(const GlobalBas& g, ResultGrid& grid);
void SetUpIntervalGrid(const GlobalBas& g, ResultGrid& grid, int headerCount);
void WriteIntervalHeader(ResultGrid& grid, int baseRow, bool bottom);
void FillIntervalRows(const GlobalBas& g, ResultGrid& grid);
// "初回" for 0, "5回前" for 5, nothing for a negative interval.
void WriteInterval(ResultGrid& grid, int interval, int column, int row);

// Draw numbers the interval search can hold.
inline constexpr int kIntervalLastDraw = 5000;
