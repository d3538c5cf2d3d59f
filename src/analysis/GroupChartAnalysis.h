#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// 分割6/7/9データ分析: the dispersion chart with the numbers split into 6, 7
// or 9 consecutive groups, alternate groups tinted, and each group that
// received none of a draw's nine numbers greyed in that draw's row.
void BuildGroupChart(const GlobalBas& g, ResultGrid& grid, int groups);
void BuildGroupChart6(const GlobalBas& g, ResultGrid& grid);
void BuildGroupChart7(const GlobalBas& g, ResultGrid& grid);
void BuildGroupChart9(const GlobalBas& g, ResultGrid& grid);

// What sets the three windows apart.
struct GroupMember {
    int groups;  // 6, 7 or 9
    int width;   // numbers per group; the last group runs on to 37
    std::string_view title;
    int labelLead, labelTrail;          // blanks around each group's letter
    int lastLabelLead, lastLabelTrail;  // the same for the last group
    int visibleColumns;
    bool frameFirstColumn;    // column 1 frozen and edged in the heading rows
    bool lastGroupTakesRest;  // any value beyond the other groups counts for the last
};

// The member for 6, 7 or 9 groups; throws std::invalid_argument otherwise.
const GroupMember& GroupMemberOf(int groups);

// One window's build, step by step on one grid.
class GroupChart {
  public:
    GroupChart(const GlobalBas& g, ResultGrid& grid, const GroupMember& member);

    void SetUpGroupGrid(int headerRows);
    void WriteGroupHeaders(int startRow, bool bottom);
    void MarkGroupDraws();
    void CountGroup(int number);
    void GreyEmptyGroups(int firstColumn, int row);

    // The group a number falls in (0 = A), or -1 when it counts for none.
    int GroupOf(int number) const;
    // The group's label as written over its columns.
    std::string GroupLabel(int group) const;

  private:
    int FirstColumn(int group, int firstNumberColumn) const;
    int LastColumn(int group, int firstNumberColumn) const;
    void MarkDraw(const DrawRecord& draw, int row);

    const GlobalBas& g_;
    ResultGrid& grid_;
    const GroupMember& member_;
    std::array<std::int16_t, 9> counters_{};  // per group, reset for each draw
};
