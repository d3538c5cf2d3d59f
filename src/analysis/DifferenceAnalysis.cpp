#include "analysis/DifferenceAnalysis.h"

#include <array>
#include <string>

#include "analysis/PairTable.h"
#include "core/GridStyle.h"

namespace {}  // namespace

void WriteDifference(ResultGrid& grid, int difference, int column, int row) {
    grid.SelectCell(column, row);
    grid.SetBackColor(difference < 0 ? kPaleMagenta : kWhite);
    if (difference > 0) {
        grid.WriteCell(column, row, "+" + std::to_string(difference));
    } else {
        grid.WriteCell(column, row, difference);
    }
}

void SetUpDifferenceGrid(const GlobalBas& g, ResultGrid& grid, int headerCount) {
    pair_table::SetUpGrid(grid, g.LatestDrawNumber, headerCount);
}

void WriteDifferenceHeader(ResultGrid& grid, int baseRow, bool bottom) {
    pair_table::WriteHeader(grid, baseRow, bottom, "差分", false);
}

void FillDifferenceRows(const GlobalBas& g, ResultGrid& grid) {
    // The previous complete draw's numbers; zeros before the first one, so a
    // first complete draw below an incomplete one is compared with zeros.
    std::array<int, kFieldCount> previousNumbers{};
    int row = pair_table::kFirstDataRow;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (draw.IsComplete()) {
            pair_table::CheckRoomFor(grid, draw, row, g.LatestDrawNumber);
            pair_table::WriteDraw(grid, draw, row);
            if (row > pair_table::kFirstDataRow) {
                for (int field = 0; field < kFieldCount; ++field) {
                    WriteDifference(grid, draw.numbers[field] - previousNumbers[field],
                                    pair_table::ValueColumn(field), row);
                }
            }
            for (int field = 0; field < kFieldCount; ++field) {
                previousNumbers[field] = draw.numbers[field];
            }
        }
        ++row;
    }
}

void BuildDifferenceTable(const GlobalBas& g, ResultGrid& grid) {
    constexpr int kHeaderCount = 2;
    SetUpDifferenceGrid(g, grid, kHeaderCount);
    WriteDifferenceHeader(grid, 1, false);
    WriteDifferenceHeader(grid, pair_table::LastDataRow(g.LatestDrawNumber) + 1, true);
    FillDifferenceRows(g, grid);
}
