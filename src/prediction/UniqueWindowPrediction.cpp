#include "prediction/UniqueWindowPrediction.h"

#include "prediction/PredictionGrids.h"

namespace {

constexpr int kUniqueNumbersPerRow = 7;

// Fills `rows` rows of seven with the window's unique numbers.  The number
// cells are emptied first, so a window with fewer unique numbers than cells
// leaves no number of an earlier run behind.
void PredictUniqueNumbers(const DrawMatrix& matrix, int latest, int shift, int rows,
                          ResultGrid& grid) {
    ClearNumberCells(grid, kFirstNumberRow, kFirstNumberRow + rows - 1);
    const std::vector<int> numbers =
        UniqueWindowNumbers(matrix, latest, shift, rows * kUniqueNumbersPerRow);
    for (int i = 0; i < static_cast<int>(numbers.size()); ++i) {
        grid.WriteCell(i % kUniqueNumbersPerRow + kFirstNumberColumn,
                       i / kUniqueNumbersPerRow + kFirstNumberRow, numbers[i]);
    }
}

}  // namespace

std::vector<int> UniqueWindowNumbers(const DrawMatrix& matrix, int latest, int shift, int limit) {
    std::vector<int> numbers;
    for (int k = 0; k < kWindowDraws; ++k) {
        const int draw = WindowDrawNumber(latest, shift, k);
        for (int slot = 1; slot <= kWindowSlots; ++slot) {
            if (static_cast<int>(numbers.size()) >= limit) return numbers;
            const int v = matrix.At(draw, slot);
            if (v == 0) break;  // no draw stored under this number
            if (IsUniqueInWindow(matrix, latest, v, k, shift, slot)) numbers.push_back(v);
        }
    }
    return numbers;
}

int WindowDrawNumber(int latest, int shift, int k) { return latest - shift - 1 - k; }

bool IsUniqueInWindow(const DrawMatrix& matrix, int latest, int value, int k0, int shift,
                      int slot0) {
    for (int k = 0; k < kWindowDraws; ++k) {
        const int draw = WindowDrawNumber(latest, shift, k);
        for (int slot = 1; slot <= kWindowSlots; ++slot) {
            if (k == k0 && slot == slot0) continue;
            if (matrix.At(draw, slot) == value) return false;
        }
    }
    return true;
}

void PredictRapidFire(const DrawMatrix& matrix, int latest, int shift, ResultGrid& grid) {
    PredictUniqueNumbers(matrix, latest, shift, 2, grid);
}

void PredictOneShot(const DrawMatrix& matrix, int latest, int shift, ResultGrid& grid) {
    PredictUniqueNumbers(matrix, latest, shift, 1, grid);
}
