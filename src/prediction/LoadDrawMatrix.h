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

// Walks the snapshot in store order.  Each complete draw is stored in the
// matrix under its draw number, and each of its numbers that appeared earlier
// as a main number is recorded in the cycle table with the gap, in draw
// numbers, to the latest such draw.  Incomplete draws are skipped, and so are
// draws whose number the matrix cannot hold (listed in the result).  Adds to
// what the tables already hold.
DrawMatrixLoad LoadDrawMatrix(const DrawStore& draws, DrawMatrix& matrix, CycleTable& cycles);

// The message for draws that could not be held; empty when there are none.
std::string UnheldDrawsMessage(const std::vector<std::int16_t>& unheldDraws);
