#include "analysis/IntervalAnalysis.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisCatalog.h"
#include "analysis/GridLimits.h"
#include "analysis/GridStyle.h"

namespace pair_table {
namespace {

// The group-title row: main numbers over columns 2 … 15, bonus numbers over
// 15 … 19, each title starting in a column of its group.
constexpr int kBonusGroupFirst = 15;
constexpr int kMainGroupTitle = 8;
constexpr int kBonusGroupTitle = 16;
constexpr Rgb kMainNumberBack = MakeRgb(200, 255, 255);
constexpr Rgb kHeaderBack = MakeRgb(255, 200, 200);
constexpr std::array<std::string_view, kFieldCount> kColumnTitles = {
    "第1数字", "第2数字", "第3数字", "第4数字", "第5数字",
    "第6数字", "第7数字", "ボ数字1", "ボ数字2"};

void StripGroupBorders(ResultGrid& grid, int row, int firstColumn, int lastColumn, bool outline) {
    FillBlock(grid, firstColumn, row, lastColumn, row, [outline](ResultGrid& gr) {
        gr.DrawBorder(ResultGrid::kBorderAll, 0);
        if (outline) gr.DrawBorder(ResultGrid::kBorderOutline, 1);
    });
}

void DrawCellBorder(ResultGrid& grid, int column, int row, int side) {
    grid.SelectCell(column, row);
    grid.DrawBorder(side, 1);
}

void WriteGroupTitle(ResultGrid& grid, int column, int row, std::string_view title) {
    grid.WriteCell(column, row, title);
    grid.SelectCell(column, row);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
}

}  // namespace

void SetUpGrid(ResultGrid& grid, int latestDraw, int headerCount) {
    // Past the row limit the bottom header is cut off and the fill stops at
    // the last row.
    const int rows = CappedRowCount(std::max(latestDraw, 0) + headerCount + 2);
    ShapeGrid(grid, {.columns = kColumns,
                     .rows = rows,
                     .visibleColumns = kColumns,
                     .visibleRows = 52,
                     .frozenRows = 2,
                     .scrollBars = 2});
    grid.SetRowHeight(-1, 10);
    grid.SetRowHeight(1, 15);
    grid.SetRowHeight(2, 12);
    grid.SetColumnWidth(-1, 5);
    StyleWholeGrid(grid);
    FillBlock(grid, 1, 1, 1, rows, [](ResultGrid& gr) {
        gr.SetForeColor(kRed);
        gr.SetBackColor(kLightYellow);
    });
    for (int field = 0; field < kMainCount; ++field) {
        const int column = NumberColumn(field);
        FillBlock(grid, column, kFirstDataRow, column, rows,
                  [](ResultGrid& gr) { gr.SetBackColor(kMainNumberBack); });
    }
    grid.ActivateCell(0, 0);
}

void WriteHeader(ResultGrid& grid, int baseRow, bool bottom, std::string_view valueTitle,
                 bool outlineGroups) {
    const int groupRow = bottom ? baseRow + 1 : baseRow;
    const int titleRow = bottom ? baseRow : baseRow + 1;

    StripGroupBorders(grid, groupRow, 2, kBonusGroupFirst, outlineGroups);
    StripGroupBorders(grid, groupRow, kBonusGroupFirst, kColumns, outlineGroups);
    DrawCellBorder(grid, kBonusGroupFirst, groupRow, ResultGrid::kBorderLeft);
    DrawCellBorder(grid, kColumns, groupRow, ResultGrid::kBorderRight);

    FillBlock(grid, 2, baseRow, kColumns, baseRow + 1, [](ResultGrid& gr) {
        gr.SetForeColor(kBlack);
        gr.SetBackColor(kHeaderBack);
    });
    FillBlock(grid, 1, baseRow, kColumns, baseRow + 1,
              [](ResultGrid& gr) { gr.SetTextOverflow(true); });

    WriteGroupTitle(grid, kMainGroupTitle, groupRow, "本 数 字");
    WriteGroupTitle(grid, kBonusGroupTitle, groupRow, "　　　ボーナス数字");

    grid.WriteCell(1, titleRow, "回数");
    for (int field = 0; field < kFieldCount; ++field) {
        grid.WriteCell(NumberColumn(field), titleRow, kColumnTitles[field]);
        grid.WriteCell(ValueColumn(field), titleRow, valueTitle);
    }
}

void WriteDraw(ResultGrid& grid, const DrawRecord& draw, int row) {
    grid.WriteCell(1, row, draw.drawNumber);
    for (int field = 0; field < kFieldCount; ++field) {
        grid.WriteCell(NumberColumn(field), row, draw.numbers[field]);
    }
}

void CheckRoomFor(const ResultGrid& grid, const DrawRecord& draw, int row, int latestDraw) {
    if (row > grid.RowCount()) StopAtRowLimit(draw.drawNumber);
    if (row > LastDataRow(latestDraw)) {
        throw BuildStopped("表の行が足りないため、第" + std::to_string(draw.drawNumber) +
                           "回以降は表示できません。");
    }
}

}  // namespace pair_table

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
        if (heldDraw_ && *heldDraw_ != drawNumber) Enter();
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
        for (const std::int16_t value : held_) latest_[Index(value)] = *heldDraw_;
        heldDraw_.reset();
    }

    std::vector<std::int16_t> latest_;
    std::array<std::int16_t, kFieldCount> held_{};
    std::optional<std::int16_t> heldDraw_;
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
