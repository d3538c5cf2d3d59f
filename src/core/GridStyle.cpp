#include "core/GridStyle.h"

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

void CentreWholeGrid(ResultGrid& grid) {
    FillBlock(grid, -1, -1, -1, -1, [](ResultGrid& g) {
        g.SetKindAndAlignment(ResultGrid::CellKind::StaticText, ResultGrid::HAlign::Center,
                              ResultGrid::VAlign::Center);
    });
}

void StyleWholeGrid(ResultGrid& grid) {
    CentreWholeGrid(grid);
    FillBlock(grid, -1, -1, -1, -1, [](ResultGrid& g) { g.DrawBorder(ResultGrid::kBorderAll, 1); });
}

void ColourDrawNumbers(ResultGrid& grid, int c1, int r1, int c2, int r2) {
    FillBlock(grid, c1, r1, c2, r2, [](ResultGrid& g) {
        g.SetForeColor(kRed);
        g.SetBackColor(kLightYellow);
    });
}

void ShapeDrawTable(ResultGrid& grid, int columns, int rows, double columnWidth) {
    ShapeGrid(grid, {.columns = columns,
                     .rows = rows,
                     .visibleColumns = columns,
                     .visibleRows = 51,
                     .frozenRows = 1,
                     .scrollBars = 2});
    grid.SetRowHeight(-1, 10);
    grid.SetColumnWidth(-1, columnWidth);
    StyleWholeGrid(grid);
}
