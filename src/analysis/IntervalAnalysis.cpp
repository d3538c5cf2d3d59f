#include "analysis/IntervalAnalysis.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

#include "analysis/PairTable.h"
#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

using pair_table::ValueColumn;

// For every 16-bit value, the latest earlier draw that held it.  Draws arrive
// in ascending draw number and one is entered only when a complete draw with
// another number comes, so a draw never finds itself and a repeated draw
// number keeps only its last row.  This gives the same answer as walking back
// from d − 1 through the draws' numbers to the first one holding the value,
// without the walk.  Only draws that were read count, so a missing or
// incomplete draw never matches, whatever the value.  0 means "not yet
// drawn": draw numbers start at 1 and a draw numbered 0 is never looked at.
class LastSeenTable {
  public:
    LastSeenTable() : latest_(kValueCount, 0) {}

    // Makes every draw held so far visible to draws numbered drawNumber.
    void MoveTo(int drawNumber) {
        if (heldDraw_ != kNoDraw && heldDraw_ != drawNumber) Enter();
    }
    // The number of draws back to the last draw holding value; 0 when none.
    int IntervalOf(int value, int drawNumber) const {
        const int last = latest_[Index(value)];
        return last == 0 ? 0 : drawNumber - last;
    }
    void Hold(const DrawRecord& draw) {
        held_ = draw.numbers;
        heldDraw_ = draw.drawNumber;
    }

  private:
    static constexpr int kValueCount = 1 << 16;
    static int Index(int value) { return value - std::numeric_limits<std::int16_t>::min(); }
    void Enter() {
        for (const std::int16_t value : held_) latest_[Index(value)] = heldDraw_;
        heldDraw_ = kNoDraw;
    }

    std::vector<std::int16_t> latest_;
    std::array<std::int16_t, kFieldCount> held_{};
    static constexpr std::int16_t kNoDraw = -1;  // draw numbers held are 0 or more
    std::int16_t heldDraw_ = kNoDraw;
};

void CheckHistoryRange(const DrawRecord& draw) {
    if (draw.drawNumber < 0 || draw.drawNumber > kIntervalLastDraw) {
        throw BuildStopped("第" + std::to_string(draw.drawNumber) +
                           "回は出現間隔分析で扱える回数（0～5000）の範囲外のため、"
                           "その前の回までを表示します。");
    }
}

}  // namespace

void WriteInterval(ResultGrid& grid, int interval, int column, int row) {
    if (interval == 0) {
        grid.WriteCell(column, row, "初回");
    } else if (interval > 0) {
        grid.WriteCell(column, row, std::to_string(interval) + "回前");
    }
}

void SetUpIntervalGrid(const GlobalBas& g, ResultGrid& grid, int headerCount) {
    pair_table::SetUpGrid(grid, g.LatestDrawNumber, headerCount);
}

void WriteIntervalHeader(ResultGrid& grid, int baseRow, bool bottom) {
    pair_table::WriteHeader(grid, baseRow, bottom, "出現", true);
}

void FillIntervalRows(const GlobalBas& g, ResultGrid& grid) {
    LastSeenTable lastSeen;
    int row = pair_table::kFirstDataRow;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (draw.IsComplete()) {
            CheckHistoryRange(draw);
            pair_table::CheckRoomFor(grid, draw, row, g.LatestDrawNumber);
            pair_table::WriteDraw(grid, draw, row);
            lastSeen.MoveTo(draw.drawNumber);
            for (int field = 0; field < kFieldCount; ++field) {
                const int interval = lastSeen.IntervalOf(draw.numbers[field], draw.drawNumber);
                WriteInterval(grid, interval, ValueColumn(field), row);
            }
            lastSeen.Hold(draw);
        }
        ++row;
    }
}

void BuildIntervalTable(const GlobalBas& g, ResultGrid& grid) {
    constexpr int kHeaderCount = 2;
    SetUpIntervalGrid(g, grid, kHeaderCount);
    WriteIntervalHeader(grid, 1, false);
    WriteIntervalHeader(grid, pair_table::LastDataRow(g.LatestDrawNumber) + 1, true);
    FillIntervalRows(g, grid);
}
