#pragma once

#include "core/DrawRecord.h"
#include "core/GlobalBas.h"

// Grid rows are 16-bit: no table grows past this row.
inline constexpr int kMaxGridRows = 32767;

// The rows a table needs, capped at the 16-bit limit.
int CappedRowCount(long long needed);

// Rows for headerCount heading rows, one row per complete draw and one
// closing row: sized from the latest draw number, never smaller than the
// complete draws need (so every draw gets its row), capped at the limit.
int PerDrawRowCount(const GlobalBas& g, int headerCount);

// Stops a build (throws BuildStopped; the rows written so far stay) before a
// draw whose row lies past lastRow or past the 16-bit limit.
void CheckRowFor(const DrawRecord& draw, int row, int lastRow);

// Stops a build before drawNumber: the table has no row left for it.  The one
// message for every table that runs out of rows.
[[noreturn]] void StopAtRowLimit(int drawNumber);

// Stops a build whose closing heading row would pass the 16-bit limit: the
// rows written so far stay, the closing heading is left out.
[[noreturn]] void StopWithoutBottomHeader();
