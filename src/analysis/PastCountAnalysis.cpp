#include "analysis/PastCountAnalysis.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/PairTable.h"
#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kPastCountColumns = 19;
constexpr int kPastCountFirstRow = 3;
constexpr int kMaxCount = std::numeric_limits<std::int16_t>::max();
constexpr std::array<std::string_view, kFieldCount> kColumnTitles = {
    "第1数字", "第2数字", "第3数字", "第4数字", "第5数字",
    "第6数字", "第7数字", "ボ数字1", "ボ数字2"};

constexpr int PastCountColumn(int field) { return field + 2; }
constexpr int CountColumn(int field) { return field + 11; }

// How often each value 0 … 32767 has been drawn so far.
class PastAppearanceCount {
  public:
    PastAppearanceCount() : counts_(kMaxCount + 1, 0) {}

    // Stops the build before the row of a draw holding a value the table
    // cannot count.
    static void CheckCountable(const DrawRecord& draw) {
        for (const int value : draw.numbers) {
            if (value < 0) {
                throw BuildStopped(
                    "第" + std::to_string(draw.drawNumber) + "回の数字" + std::to_string(value) +
                    "は出現回数を数えられない値のため、その前の回までを表示します。");
            }
        }
    }
    int Of(int value) const { return counts_[value]; }
    void Add(const DrawRecord& draw) {
        for (const int value : draw.numbers) {
            if (counts_[value] == kMaxCount) {
                throw BuildStopped("第" + std::to_string(draw.drawNumber) + "回で数字" +
                                   std::to_string(value) +
                                   "の出現回数が32767を超えるため、その回までを表示します。");
            }
            ++counts_[value];
        }
    }

  private:
    std::vector<std::int16_t> counts_;
};

void ColourHeaderGroup(ResultGrid& grid, int baseRow, int firstColumn, int lastColumn, Rgb fore,
                       Rgb back) {
    FillBlock(grid, firstColumn, baseRow, lastColumn, baseRow + 1, [fore, back](ResultGrid& gr) {
        gr.SetForeColor(fore);
        gr.SetBackColor(back);
    });
}

// Removes the inner borders of a group-title block and closes it on the right.
void FrameGroupTitle(ResultGrid& grid, int row, int firstColumn, int lastColumn) {
    FillBlock(grid, firstColumn, row, lastColumn, row,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 0); });
    grid.SelectCell(lastColumn, row);
    grid.DrawBorder(ResultGrid::kBorderRight, 1);
}

}  // namespace

void SetUpPastCountGrid(const GlobalBas& g, ResultGrid& grid, int headerCount) {
    const int rows = PerDrawRowCount(g, headerCount);
    pair_table::ShapeTable(grid, rows);
    grid.ActivateCell(0, 0);
}

void WritePastCountHeader(ResultGrid& grid, int baseRow) {
    const int groupRow = baseRow;
    const int titleRow = baseRow + 1;
    ColourHeaderGroup(grid, baseRow, 2, 10, kBlue, kPaleCyan);
    ColourHeaderGroup(grid, baseRow, 11, 19, kRed, kPaleGreen);
    grid.SetRowHeight(groupRow, 20);
    FrameGroupTitle(grid, groupRow, 2, 10);
    FrameGroupTitle(grid, groupRow, 11, 19);
    FillBlock(grid, 1, baseRow, kPastCountColumns, titleRow,
              [](ResultGrid& gr) { gr.SetTextOverflow(true); });

    grid.WriteCell(5, groupRow, "       当 選 数 字");
    grid.SelectCell(5, groupRow);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    // Written left-aligned, then set back to centred as the table has it.
    grid.WriteCell(15, groupRow, "前回までの出現回数合計(回)");
    grid.SelectCell(15, groupRow);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Center);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);

    grid.WriteCell(1, titleRow, "回数");
    for (int field = 0; field < kFieldCount; ++field) {
        grid.WriteCell(PastCountColumn(field), titleRow, kColumnTitles[field]);
        grid.WriteCell(CountColumn(field), titleRow, kColumnTitles[field]);
    }
}

void FillPastCountRows(const GlobalBas& g, ResultGrid& grid) {
    PastAppearanceCount counts;
    int row = kPastCountFirstRow;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, grid.RowCount());
        PastAppearanceCount::CheckCountable(draw);
        grid.WriteCell(1, row, draw.drawNumber);
        for (int field = 0; field < kFieldCount; ++field) {
            grid.WriteCell(PastCountColumn(field), row, draw.numbers[field]);
        }
        // Every count of the row is read before any of its numbers is added,
        // so a number standing twice in one draw shows the same count twice.
        for (int field = 0; field < kFieldCount; ++field) {
            grid.WriteCell(CountColumn(field), row, counts.Of(draw.numbers[field]));
        }
        counts.Add(draw);
        ++row;
    }
}

void BuildPastCountTable(const GlobalBas& g, ResultGrid& grid) {
    constexpr int kHeaderCount = 1;
    SetUpPastCountGrid(g, grid, kHeaderCount);
    WritePastCountHeader(grid, 1);
    FillPastCountRows(g, grid);
}
