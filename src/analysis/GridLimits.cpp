#include "analysis/GridLimits.h"

#include <algorithm>
#include <string>

#include "analysis/AnalysisCatalog.h"

int CappedRowCount(long long needed) {
    return static_cast<int>(std::clamp<long long>(needed, 0, kMaxGridRows));
}

void StopAtRowLimit(int drawNumber) {
    throw BuildStopped("表の行数が上限（32767行）に達したため、第" + std::to_string(drawNumber) +
                       "回から後は表示できません。");
}

void CheckRowFor(const DrawRecord& draw, int row, int lastRow) {
    if (row <= lastRow && row <= kMaxGridRows) return;
    if (row > kMaxGridRows) StopAtRowLimit(draw.drawNumber);
    throw BuildStopped("表の行が足りないため、第" + std::to_string(draw.drawNumber) +
                       "回以降は表示できません。");
}
