#include "prediction/DrawMatrix.h"

DrawMatrix::DrawMatrix() : rows_(kLastDrawNumber + 1) {}

bool DrawMatrix::Store(const DrawRecord& draw) {
    if (!CanHold(draw.drawNumber)) return false;
    rows_[draw.drawNumber] = draw.numbers;
    return true;
}

void DrawMatrix::Clear() {
    for (auto& row : rows_) row.fill(0);
}
