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

void ShapeMarkChart(ResultGrid& grid, GridShape shape) {
    shape.frozenRows = 2;
    shape.frozenColumns = 1;
    shape.scrollBars = 3;
    ShapeGrid(grid, shape);
    grid.SetRowHeight(-1, 10);
    grid.SetRowHeight(1, 15);
    grid.SetRowHeight(2, 15);
    grid.SetColumnWidth(-1, 2);
    grid.SetColumnWidth(1, 5);
    grid.SetColumnWidth(shape.columns, 5);
}
