#pragma once

#include <vector>

#include "core/ResultGrid.h"
#include "prediction/DrawMatrix.h"

// The rapid-fire and one-shot predictions look at a window of four draws,
// w(k) = latest − shift − 1 − k for k = 0 … 3 (the latest draw itself is never
// used), and propose the numbers among slots 1–8 (the seven main numbers and
// the first bonus number) that occur exactly once in those 32 cells, taken
// draw by draw from the most recent and within a draw in slot order.

inline constexpr int kWindowDraws = 4;
inline constexpr int kWindowSlots = DrawMatrix::kBonus1Slot;

int WindowDrawNumber(int latest, int shift, int k);

// True when no cell of the window other than (k0, slot0) holds the value.
bool IsUniqueInWindow(const DrawMatrix& matrix, int latest, int value, int k0, int shift,
                      int slot0);

// The window's unique numbers in that order, at most `limit` of them.
std::vector<int> UniqueWindowNumbers(const DrawMatrix& matrix, int latest, int shift, int limit);

// Rapid-fire: up to 14 numbers into rows 2 and 3, columns 2–8.
void PredictRapidFire(const DrawMatrix& matrix, int latest, int shift, ResultGrid& grid);

// One-shot: up to 7 numbers into row 2, columns 2–8 — always the first row of
// the rapid-fire prediction.
void PredictOneShot(const DrawMatrix& matrix, int latest, int shift, ResultGrid& grid);
