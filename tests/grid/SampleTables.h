#pragma once

#include <QString>
#include <string>

#include "core/GridStyle.h"
#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "grid/GridGeometry.h"
#include "grid/ProgramLook.h"

// A table like the long analysis tables: a frozen heading row and label
// column, framed cells, a coloured block of numbers.
inline ResultGrid Table(int columns, int rows) {
    ResultGrid g;
    ShapeGrid(g, {.columns = columns,
                  .rows = rows,
                  .visibleColumns = columns,
                  .visibleRows = 40,
                  .frozenRows = 1,
                  .frozenColumns = 1,
                  .scrollBars = 3});
    g.SetColumnWidth(-1, 9);
    g.SetRowHeight(-1, 12);
    StyleWholeGrid(g);
    FillBlock(g, 1, 1, columns, 1, [](ResultGrid& x) { x.SetBackColor(kHeaderPink); });
    FillBlock(g, 3, 2, 6, rows, [](ResultGrid& x) { x.SetBackColor(kPaleGreen); });
    g.WriteCell(1, 1, "見出し");
    for (int c = 2; c <= columns; ++c) g.WriteCell(c, 1, "列" + std::to_string(c));
    for (int r = 2; r <= rows; ++r) {
        g.WriteCell(1, r, "行" + std::to_string(r));
        g.WriteCell(4, r, r * 7 % 37 + 1);
    }
    return g;
}

inline GridDocument DocumentOf(const ResultGrid& grid) {
    GridDocument document;
    document.caption = QStringLiteral("試験の表");
    document.drawRange = QStringLiteral("第1回～第300回");
    document.parts.push_back({{}, &grid, GridGeometry(grid, ProgramFont(), 96)});
    document.csv = {{"fpSpread1", &grid}};
    return document;
}
