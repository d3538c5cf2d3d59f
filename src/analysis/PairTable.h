#pragma once

#include <string_view>

#include "core/DrawRecord.h"
#include "core/ResultGrid.h"

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

// The 19-column shape with two frozen heading rows (15 and 12 points high)
// that these tables and 出現回数分析 share: 52 rows visible, a vertical
// scroll bar, 5-character columns, cells framed and centred, draw numbers
// in column 1 coloured.
void ShapeTable(ResultGrid& grid, int rows);
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
