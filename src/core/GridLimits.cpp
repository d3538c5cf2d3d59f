#include "core/GridLimits.h"

#include <algorithm>
#include <string>

int CappedRowCount(long long needed) {
    return static_cast<int>(std::clamp<long long>(needed, 0, kMaxGridRows));
}

int PerDrawRowCount(const GlobalBas& g, int headerCount) {
    const auto& rows = g.Draws.Rows();
    const int complete = static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [](const DrawRecord& d) { return d.IsComplete(); }));
    const int draws = std::max({static_cast<int>(g.LatestDrawNumber), complete, 0});
    return CappedRowCount(draws + headerCount + 1);
}

void StopAtRowLimit(int drawNumber) {
    throw BuildStopped("表の行が足りないため、第" + std::to_string(drawNumber) +
                       "回から後は表示できません。(表は最大32767行です)");
}

void StopWithoutBottomHeader() {
    throw BuildStopped("表の行数が最大の32767行を超えるため、下の見出し行は表示できません。");
}

void CheckRowFor(const DrawRecord& draw, int row, int lastRow) {
    if (row > lastRow || row > kMaxGridRows) StopAtRowLimit(draw.drawNumber);
}
