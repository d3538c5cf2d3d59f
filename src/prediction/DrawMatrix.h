#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/DrawRecord.h"

// The prediction's own table of draws, addressed by draw number 0 … 5000 and
// slot 1 … 9 (slots 1–7 the main numbers, 8 and 9 the two bonus numbers).
// A draw number that is not stored reads 0 in every slot, and 0 stands for
// "no draw".  Reads are safe for any draw number: one below 1 or above 5000
// reads like a draw that is not stored.
class DrawMatrix {
  public:
    static constexpr int kFirstDrawNumber = 0;
    static constexpr int kLastDrawNumber = 5000;
    static constexpr int kSlotCount = 9;
    static constexpr int kMainSlots = 7;
    static constexpr int kBonus1Slot = 8;

    DrawMatrix();

    static bool CanHold(int drawNumber) {
        return drawNumber >= kFirstDrawNumber && drawNumber <= kLastDrawNumber;
    }

    // Stores the nine numbers of a draw under its draw number; returns false
    // (storing nothing) when the table cannot hold that draw number.
    bool Store(const DrawRecord& draw);

    // The number in slot 1 … 9 of the draw, or 0.  Draw 0 has no predecessor
    // and is never a reference draw, so it reads as not stored too.
    // (Inline: the predictions read it millions of times.)
    int At(int drawNumber, int slot) const {
        if (drawNumber < 1 || drawNumber > kLastDrawNumber) return 0;
        if (slot < 1 || slot > kSlotCount) return 0;
        return rows_[drawNumber][slot - 1];
    }

    // True when one of the main numbers (slots 1–7) of the draw is n.
    bool HasMainNumber(int drawNumber, int n) const {
        if (drawNumber < 1 || drawNumber > kLastDrawNumber) return n == 0;
        const auto& row = rows_[drawNumber];
        for (int slot = 0; slot < kMainSlots; ++slot) {
            if (row[slot] == n) return true;
        }
        return false;
    }

    void Clear();

  private:
    std::vector<std::array<std::int16_t, kSlotCount>> rows_;
};
