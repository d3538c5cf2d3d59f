#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/DrawStore.h"
#include "prediction/CycleMethod.h"
#include "prediction/DrawMatrix.h"

// What one pass over the snapshot gave.
struct DrawMatrixLoad {
    // The draw number of the last complete draw the matrix holds (0 when it
    // holds none): the draw the predictions count back from.
    int latestDrawNumber = 0;
    // Complete draws whose draw number lies outside 0 … 5000, in store order.
    std::vector<std::int16_t> unheldDraws;
};

// One step of the walk below: stores a complete draw in the matrix and
// records the cycle hits of its numbers against the draws already stored.
// Returns false, changing nothing, when the matrix cannot hold its number.
// Calling it for each complete draw in store order builds the same tables as
// LoadDrawMatrix, one draw at a time.
bool LoadDraw(const DrawRecord& draw, DrawMatrix& matrix, CycleTable& cycles);

// Walks the snapshot in store order.  Each complete draw is stored in the
// matrix under its draw number, and each of its numbers that appeared earlier
// as a main number is recorded in the cycle table with the gap, in draw
// numbers, to the latest such draw.  Incomplete draws are skipped, and so are
// draws whose number the matrix cannot hold (listed in the result).  Adds to
// what the tables already hold.
DrawMatrixLoad LoadDrawMatrix(const DrawStore& draws, DrawMatrix& matrix, CycleTable& cycles);

// The message for draws that could not be held; empty when there are none.
std::string UnheldDrawsMessage(const std::vector<std::int16_t>& unheldDraws);
