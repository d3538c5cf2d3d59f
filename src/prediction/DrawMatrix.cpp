#include "prediction/DrawMatrix.h"

DrawMatrix::DrawMatrix() : rows_(kLastDrawNumber + 1) {}

bool DrawMatrix::Store(const DrawRecord& draw) {
    if (!CanHold(draw.drawNumber)) return false;
    rows_[draw.drawNumber] = draw.numbers;
    return true;
}

int DrawMatrix::At(int drawNumber, int slot) const {
    if (drawNumber < 1 || drawNumber > kLastDrawNumber) return 0;
    if (slot < 1 || slot > kSlotCount) return 0;
    return rows_[drawNumber][slot - 1];
}

bool DrawMatrix::HasMainNumber(int drawNumber, int n) const {
    for (int slot = 1; slot <= kMainSlots; ++slot) {
        if (At(drawNumber, slot) == n) return true;
    }
    return false;
}

void DrawMatrix::Clear() {
    for (auto& row : rows_) row.fill(0);
}
