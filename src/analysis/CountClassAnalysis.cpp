#include "analysis/CountClassAnalysis.h"

#include "core/GridStyle.h"

namespace {}  // namespace

void SetUpCountClassGrid(const GlobalBas& g, ResultGrid& grid) {
    // An empty database has no class at all; the heading row still shows.
    const int rows = std::max<int>(g.CountClassRowCount, 1);
    ShapeGrid(
        grid,
        {.columns = 2, .rows = rows, .visibleColumns = 2, .visibleRows = rows, .scrollBars = 1});
    grid.SetRowHeight(-1, 10);
    grid.SetColumnWidth(1, 5);
    grid.SetColumnWidth(2, 20);
    StyleWholeGrid(grid);
    // Yellow down to row L + 2; the part beyond the last row is clipped away.
    FillBlock(grid, 1, 2, 1, g.LatestDrawNumber + 2,
              [](ResultGrid& gr) { gr.SetBackColor(kLightYellow); });
    grid.ActivateCell(0, 0);
}

void WriteCountClassHeadings(const GlobalBas& g, ResultGrid& grid) {
    grid.WriteCell(1, 1, "出 現");
    grid.WriteCell(2, 1, "数 字");
    FillBlock(grid, 1, 1, 2, 1, [](ResultGrid& gr) { gr.SetBackColor(kHeaderPink); });
    FillBlock(grid, 1, -1, 1, -1, [](ResultGrid& gr) { gr.SetTextOverflow(true); });
    FillBlock(grid, 2, 2, 2, g.MaxCount + 2, [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetHorizontalAlign(ResultGrid::HAlign::Left);
        gr.SetTextOverflow(true);
    });
}

void FillCountClasses(const GlobalBas& g, ResultGrid& grid) {
    int row = 1;
    for (int count = 0; count <= g.MaxCount; ++count) {
        if (count >= static_cast<int>(g.CountClassList.size())) break;
        const std::string& numbers = g.CountClassList[count];
        if (numbers.empty()) continue;
        ++row;
        grid.WriteCell(1, row, std::to_string(count) + "回");
        grid.WriteCell(2, row, numbers);
    }
}

void BuildCountClasses(const GlobalBas& g, ResultGrid& grid) {
    SetUpCountClassGrid(g, grid);
    WriteCountClassHeadings(g, grid);
    FillCountClasses(g, grid);
}
