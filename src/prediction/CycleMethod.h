#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/ResultGrid.h"

// The cycle method's table: for the seven main-number positions and the first
// bonus number (positions 1–8) and the cycles of 7, 9, 11 and 12 draws
// (columns 0–3), the text of the latest number that came back after exactly
// that many draws at that position.  Entries start empty.
class CycleTable {
  public:
    static constexpr int kPositions = 8;
    static constexpr int kCycles = 4;
    static constexpr std::array<int, kCycles> kCycleGaps = {7, 9, 11, 12};

    // Empty text for a position or column outside the table.
    const std::string& Entry(int position, int column) const;
    void SetEntry(int position, int column, std::string text);
    void Clear();

  private:
    std::array<std::array<std::string, kCycles>, kPositions + 1> entries_;  // position 0 unused
};

// The cycle column of a gap of draws (7 → 0, 9 → 1, 11 → 2, 12 → 3), or -1.
int CycleColumnOfGap(int gap);

// Records that the number came back after `gap` draws at `position` (1–9).
// Nothing is recorded for a gap that is no cycle, for the second bonus number
// (position 9), or when another position already holds the same text in that
// cycle column; otherwise the entry is replaced.
void RecordCycleHit(CycleTable& table, int gap, int position, const std::string& numberText);

// The numbers of the grid row of one cycle column: the entries of positions
// 1–7 that hold a number, in position order.
std::vector<int> CycleRowNumbers(const CycleTable& table, int column);

// Writes every entry of positions 1–7 (empty ones included) into the cycle
// grid: column position + 1, row cycle column + 2.  Position 8 is not shown.
void ShowCycleTable(const CycleTable& table, ResultGrid& grid);
