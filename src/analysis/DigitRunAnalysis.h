#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/DigitTendencyAnalysis.h"
#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 下一桁連続出現回数分析: one row per draw number 1 … N (row k + 2); the cell of
// digit d in draw k holds how many draws in a row d has kept appearing up to
// draw k.  A draw with d twice counts as the same draw again and lengthens the
// run; the first appearance after a gap is not marked.

// Per last digit, one entry of six characters per drawn number ending in it:
// the draw number in five digits with leading zeros and a blank ("00012 "),
// in ascending draw order.
using AppearanceLists = std::array<std::string, kDigitCount>;

void BuildRunTable(const GlobalBas& g, ResultGrid& grid);
AppearanceLists CollectAppearances(const GlobalBas& g);
void AppendAppearance(AppearanceLists& lists, int drawNumber, int digit);
// Entry i (from 0) of a list as a draw number, or none past the list's end.
std::optional<int> AppearanceEntry(std::string_view list, std::size_t i);
void SetUpRunGrid(const GlobalBas& g, ResultGrid& grid, int extraRows);
void WriteRunHeader(ResultGrid& grid, int startRow, bool bottom);
void ScanRuns(const AppearanceLists& lists, ResultGrid& grid);
void MarkRun(ResultGrid& grid, int digit, int drawNumber, int runLength);
void ShadeRun(ResultGrid& grid, int column, int row, int runLength);
