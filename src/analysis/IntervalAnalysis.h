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

// The layout shared by the two per-draw pair tables (出現間隔分析 and
// 数字間隔分析): column 1 the draw number, then for field f (0 … 8) its number
// in column 2f + 2 and a value in column 2f + 3; a two-row header on top and
// the same header mirrored below the last data row.
namespace pair_table {

inline constexpr int kColumns = 19;
inline constexpr int kFirstDataRow = 3;

constexpr int NumberColumn(int field) { return 2 * field + 2; }
constexpr int ValueColumn(int field) { return 2 * field + 3; }
// The last row data may use: the bottom header follows it.
constexpr int LastDataRow(int latestDraw) { return (latestDraw > 0 ? latestDraw : 0) + 2; }

// Size, colours and borders for a table of draws up to latestDraw with
// headerCount two-row headers, at most 32767 rows.
void SetUpGrid(ResultGrid& grid, int latestDraw, int headerCount);
// One two-row header at baseRow: group titles above column titles, or below
// them when bottom is set.  outlineGroups draws a frame around the two groups
// of the group-title row.
void WriteHeader(ResultGrid& grid, int baseRow, bool bottom, std::string_view valueTitle,
                 bool outlineGroups);
// The draw number and the nine numbers of one draw, as stored.
void WriteDraw(ResultGrid& grid, const DrawRecord& draw, int row);
// Stops the build when a complete draw's row lies past the grid's row limit
// or on the bottom header (only possible with draw numbers below 1 or
// repeated, as another tool might store them).
void CheckRoomFor(const ResultGrid& grid, const DrawRecord& draw, int row, int latestDraw);

}  // namespace pair_table
