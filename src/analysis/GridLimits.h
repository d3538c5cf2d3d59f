#pragma once

#include "core/DrawRecord.h"

// Grid rows are 16-bit: no table grows past this row.
inline constexpr int kMaxGridRows = 32767;

// The rows a table needs, capped at the 16-bit limit.
int CappedRowCount(long long needed);

// Stops a build (throws BuildStopped; the rows written so far stay) before a
// draw whose row lies past lastRow: past the 16-bit limit, or past the room
// the table has above its bottom header.
void CheckRowFor(const DrawRecord& draw, int row, int lastRow);

// Stops a build before drawNumber because the table reached its row limit.
[[noreturn]] void StopAtRowLimit(int drawNumber);
