#include "analysis/PairTable.h"

#include <algorithm>
#include <array>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace pair_table {
namespace {

// The group-title row: main numbers over columns 2 … 15, bonus numbers over
// 15 … 19, each title starting in a column of its group.
constexpr int kBonusGroupFirst = 15;
constexpr int kMainGroupTitle = 8;
constexpr int kBonusGroupTitle = 16;
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

void ShapeTable(ResultGrid& grid, int rows) {
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
    ColourDrawNumbers(grid, 1, 1, 1, rows);
}

void SetUpGrid(ResultGrid& grid, int latestDraw, int headerCount) {
    // Past the row limit the bottom header is cut off and the fill stops at
    // the last row.
    const int rows = CappedRowCount(std::max(latestDraw, 0) + headerCount + 2);
    ShapeTable(grid, rows);
    for (int field = 0; field < kMainCount; ++field) {
        const int column = NumberColumn(field);
        FillBlock(grid, column, kFirstDataRow, column, rows,
                  [](ResultGrid& gr) { gr.SetBackColor(kPaleCyan); });
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
        gr.SetBackColor(kHeaderPink);
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
    CheckRowFor(draw, row, std::min(grid.RowCount(), LastDataRow(latestDraw)));
}

}  // namespace pair_table
