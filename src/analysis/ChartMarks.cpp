#include "analysis/ChartMarks.h"

#include <algorithm>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

Rgb MarkColor(int field) {
    if (field == kBonus1) return kBonus1Mark;
    if (field == kBonus2) return kBonus2Mark;
    return kMainMark;
}

int ChartRowCount(int latestDrawNumber, int headingRows) {
    return CappedRowCount(std::max(latestDrawNumber, 0) + headingRows);
}

