#include "analysis/GridStyle.h"

void ApplyResultGridBehaviour(ResultGrid& grid) { grid.ShowHeadings(false, false); }

void ShapeGrid(ResultGrid& grid, const GridShape& shape) {
    grid.SetColumnCount(shape.columns);
    grid.SetRowCount(shape.rows);
    grid.SetVisibleColumns(shape.visibleColumns);
    grid.SetVisibleRows(shape.visibleRows);
    grid.FreezeRows(shape.frozenRows);
    grid.FreezeColumns(shape.frozenColumns);
    grid.SetScrollBars(shape.scrollBars);
    ApplyResultGridBehaviour(grid);
}

void StyleWholeGrid(ResultGrid& grid) {
    FillBlock(grid, -1, -1, -1, -1, [](ResultGrid& g) {
        g.SetCellKind(ResultGrid::CellKind::StaticText);
        g.SetHorizontalAlign(ResultGrid::HAlign::Center);
        g.SetVerticalAlign(ResultGrid::VAlign::Center);
        g.DrawBorder(ResultGrid::kBorderAll, 1);
    });
}
