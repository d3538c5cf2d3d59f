#include "analysis/GroupChartAnalysis.h"

#include <algorithm>
#include <stdexcept>

#include "analysis/ChartMarks.h"
#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kGroupColumnCount = kHighestNumber + 2;  // draw number, 1 … 37, draw number
constexpr int kFirstNumberColumn = 2;
constexpr int kGroupLastNumberColumn = kHighestNumber + 1;
constexpr int kGroupFirstRow = 4;
constexpr std::array<std::string_view, 9> kLetters = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ",
                                                      "Ｆ", "Ｇ", "Ｈ", "Ｉ"};

constexpr GroupMember kSix{6, 6, "  数　　 字", 11, 12, 13, 10, 39, false, false};
constexpr GroupMember kSeven{7, 5, " 数　　 字", 9, 10, 13, 10, 45, false, false};
constexpr GroupMember kNine{9, 4, "数　　 字", 7, 8, 9, 8, 39, true, true};

// Number n has its mark in column n + 1.
constexpr int GroupColumnOf(int number) { return number + 1; }

}  // namespace

const GroupMember& GroupMemberOf(int groups) {
    switch (groups) {
        case 6:
            return kSix;
        case 7:
            return kSeven;
        case 9:
            return kNine;
        default:
            throw std::invalid_argument("no group chart of " + std::to_string(groups) + " groups");
    }
}

GroupChart::GroupChart(const GlobalBas& g, ResultGrid& grid, const GroupMember& member)
    : g_(g), grid_(grid), member_(member) {}

int GroupChart::GroupOf(int number) const {
    const int last = member_.groups - 1;
    if (number >= kLowestNumber && number <= last * member_.width) {
        return (number - 1) / member_.width;
    }
    // The nine-group chart counts every other value for its last group; the
    // others count only the numbers of their last group.
    if (member_.lastGroupTakesRest || HasChartPlace(number)) return last;
    return -1;
}

std::string GroupChart::GroupLabel(int group) const {
    const bool last = group == member_.groups - 1;
    const int lead = last ? member_.lastLabelLead : member_.labelLead;
    const int trail = last ? member_.lastLabelTrail : member_.labelTrail;
    return std::string(lead, ' ') + std::string(kLetters[group]) + std::string(trail, ' ');
}

int GroupChart::FirstColumn(int group, int firstNumberColumn) const {
    return firstNumberColumn + group * member_.width;
}

int GroupChart::LastColumn(int group, int firstNumberColumn) const {
    if (group == member_.groups - 1) return firstNumberColumn + kHighestNumber - 1;
    return FirstColumn(group, firstNumberColumn) + member_.width - 1;
}

void GroupChart::SetUpGroupGrid(int headerRows) {
    const int lastRow = ChartRowCount(g_.LatestDrawNumber, 1 + 2 * headerRows);
    ShapeGrid(grid_, {.columns = kGroupColumnCount,
                      .rows = lastRow,
                      .visibleColumns = member_.visibleColumns,
                      .visibleRows = 53,
                      .frozenRows = 3,
                      .frozenColumns = member_.frameFirstColumn ? 1 : 0,
                      .scrollBars = 3});
    grid_.SetRowHeight(-1, 9);
    grid_.SetRowHeight(1, 15);
    grid_.SetRowHeight(2, 12);
    grid_.SetColumnWidth(-1, 2);
    grid_.SetColumnWidth(1, 3);
    grid_.SetColumnWidth(kGroupColumnCount, 3);
    CentreWholeGrid(grid_);
    FillBlock(grid_, 1, 3, kGroupColumnCount, lastRow,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 1, kLineBlue); });
    FillBlock(grid_, kFirstNumberColumn, 1, kGroupLastNumberColumn, 1,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderOutline, 1, kLineBlue); });
    if (member_.frameFirstColumn) {
        FillBlock(grid_, 1, 1, 1, 2,
                  [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderRight, 1, kLineBlue); });
    }
    FillBlock(grid_, -1, -1, -1, -1, [](ResultGrid& gr) { gr.SetTextOverflow(true); });
    grid_.WriteCell(18, 1, member_.title);
    FillBlock(grid_, 1, 1, kGroupLastNumberColumn, 1, [](ResultGrid& gr) {
        gr.SetHorizontalAlign(ResultGrid::HAlign::Left);
        gr.SetBackColor(kHeaderPink);
    });
    for (int column : {1, kGroupColumnCount}) {
        ColourDrawNumbers(grid_, column, 1, column, lastRow);
    }
    for (int group = 1; group < member_.groups; group += 2) {
        FillBlock(grid_, FirstColumn(group, kFirstNumberColumn), 2,
                  LastColumn(group, kFirstNumberColumn), lastRow,
                  [](ResultGrid& gr) { gr.SetBackColor(kPaleCyan); });
    }
    grid_.ActivateCell(0, 0);
}

void GroupChart::WriteGroupHeaders(int startRow, bool bottom) {
    const int labelRow = bottom ? startRow + 1 : startRow;
    const int numberRow = bottom ? startRow : startRow + 1;
    for (int group = 0; group < member_.groups; ++group) {
        FillBlock(grid_, FirstColumn(group, kFirstNumberColumn), labelRow,
                  LastColumn(group, kFirstNumberColumn), labelRow, [](ResultGrid& gr) {
                      gr.DrawBorder(ResultGrid::kBorderAll, 0);
                      gr.DrawBorder(ResultGrid::kBorderOutline, 1, kLineBlue);
                  });
    }
    for (int group = 0; group < member_.groups; ++group) {
        const int column = FirstColumn(group, kFirstNumberColumn);
        grid_.WriteCell(column, labelRow, GroupLabel(group));
        grid_.SelectCell(column, labelRow);
        grid_.SetHorizontalAlign(ResultGrid::HAlign::Left);
    }
    grid_.WriteCell(1, numberRow, "回");
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        grid_.WriteCell(GroupColumnOf(n), numberRow, n);
    }
    grid_.WriteCell(kGroupColumnCount, numberRow, "回");
    FillBlock(grid_, kFirstNumberColumn, numberRow, kGroupLastNumberColumn, numberRow,
              [](ResultGrid& gr) { gr.SetForeColor(kBlue); });
}

void GroupChart::CountGroup(int number) {
    const int group = GroupOf(number);
    if (group >= 0) ++counters_[group];
}

void GroupChart::GreyEmptyGroups(int firstColumn, int row) {
    for (int group = 0; group < member_.groups; ++group) {
        if (counters_[group] != 0) continue;
        FillBlock(grid_, FirstColumn(group, firstColumn), row, LastColumn(group, firstColumn), row,
                  [](ResultGrid& gr) { gr.SetBackColor(kEmptyGroupGrey); });
    }
}

void GroupChart::MarkDraw(const DrawRecord& draw, int row) {
    counters_.fill(0);
    grid_.WriteCell(1, row, draw.drawNumber);
    grid_.WriteCell(kGroupColumnCount, row, draw.drawNumber);
    for (int field = 0; field < kFieldCount; ++field) {
        const int n = draw.numbers[field];
        if (HasChartPlace(n)) grid_.WriteCell(GroupColumnOf(n), row, kDrawnMark);
    }
    for (int field = 0; field < kFieldCount; ++field) CountGroup(draw.numbers[field]);
    GreyEmptyGroups(kFirstNumberColumn, row);
    for (int field = 0; field < kFieldCount; ++field) {
        const int n = draw.numbers[field];
        if (!HasChartPlace(n)) continue;
        grid_.SelectCell(GroupColumnOf(n), row);
        grid_.SetForeColor(MarkColor(field));
    }
}

void GroupChart::MarkGroupDraws() {
    int row = kGroupFirstRow;
    for (const DrawRecord& draw : g_.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        // Only a grid held to the 16-bit row limit can run out of rows.
        CheckRowFor(draw, row, grid_.RowCount());
        MarkDraw(draw, row);
        ++row;
    }
}

void BuildGroupChart(const GlobalBas& g, ResultGrid& grid, int groups) {
    GroupChart chart(g, grid, GroupMemberOf(groups));
    chart.SetUpGroupGrid(1);
    chart.WriteGroupHeaders(2, false);
    chart.MarkGroupDraws();
}

void BuildGroupChart6(const GlobalBas& g, ResultGrid& grid) { BuildGroupChart(g, grid, 6); }
void BuildGroupChart7(const GlobalBas& g, ResultGrid& grid) { BuildGroupChart(g, grid, 7); }
void BuildGroupChart9(const GlobalBas& g, ResultGrid& grid) { BuildGroupChart(g, grid, 9); }
