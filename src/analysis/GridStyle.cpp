#include "analysis/GridStyle.h"

void ApplyResultGridBehaviour(ResultGrid& grid) { grid.ShowHeadings(false, false); }

void StyleWholeGrid(ResultGrid& grid) {
    FillBlock(grid, -1, -1, -1, -1, [](ResultGrid& g) {
        g.SetCellKind(ResultGrid::CellKind::StaticText);
        g.SetHorizontalAlign(ResultGrid::HAlign::Center);
        g.SetVerticalAlign(ResultGrid::VAlign::Center);
        g.DrawBorder(ResultGrid::kBorderAll, 1);
    });
}
