#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "grid/PrintLayout.h"

namespace {

std::vector<int> Edges(int count, int size) {
    std::vector<int> edges{0};
    for (int i = 0; i < count; ++i) edges.push_back(edges.back() + size);
    return edges;
}

PrintLayout::Item Grid(int columns, int columnWidth, int rows, int rowHeight, int frozenColumns,
                       int frozenRows) {
    PrintLayout::Item item;
    item.columnEdges = Edges(columns, columnWidth);
    item.rowEdges = Edges(rows, rowHeight);
    item.frozenColumns = frozenColumns;
    item.frozenRows = frozenRows;
    return item;
}

// Each page shows the frozen rows at its top and the frozen columns at its
// left, each cell beyond them is printed exactly once, every block lies at
// the place its pixels have on the page, and nothing leaves the room.
void ExpectEveryCellOnceWithTheFrozenPartOnEveryPage(const PrintLayout& layout) {
    const PrintLayout::Item& item = layout.Items().front();
    const int columns = static_cast<int>(item.columnEdges.size()) - 1;
    const int rows = static_cast<int>(item.rowEdges.size()) - 1;
    std::map<std::pair<int, int>, int> printed;
    for (int p = 0; p < layout.PageCount(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const PrintLayout::Page& page = layout.Pages()[p];
        ASSERT_FALSE(page.blocks.empty());
        const PrintLayout::Block& corner = page.blocks.front();
        EXPECT_EQ(corner.at, QPointF(0, 0));
        EXPECT_EQ(corner.cells.firstColumn, 1);
        EXPECT_EQ(corner.cells.firstRow, 1);
        int frozenSeen = 0;
        for (const PrintLayout::Block& block : page.blocks) {
            const bool frozenRow = block.cells.lastRow <= item.frozenRows;
            const bool frozenColumn = block.cells.lastColumn <= item.frozenColumns;
            EXPECT_EQ(
                block.at,
                QPointF(block.cells.firstColumn == 1 ? 0 : item.columnEdges[item.frozenColumns],
                        block.cells.firstRow == 1 ? 0 : item.rowEdges[item.frozenRows]));
            EXPECT_LE(block.at.x() + item.columnEdges[block.cells.lastColumn] -
                          item.columnEdges[block.cells.firstColumn - 1],
                      layout.Room().width());
            EXPECT_LE(block.at.y() + item.rowEdges[block.cells.lastRow] -
                          item.rowEdges[block.cells.firstRow - 1],
                      layout.Room().height());
            if (frozenRow || frozenColumn) {
                ++frozenSeen;
                continue;
            }
            for (int r = block.cells.firstRow; r <= block.cells.lastRow; ++r) {
                for (int c = block.cells.firstColumn; c <= block.cells.lastColumn; ++c) {
                    ++printed[{c, r}];
                }
            }
        }
        EXPECT_EQ(frozenSeen, (item.frozenRows > 0) + (item.frozenColumns > 0) +
                                  (item.frozenRows > 0 && item.frozenColumns > 0));
    }
    EXPECT_EQ(printed.size(),
              static_cast<std::size_t>((columns - item.frozenColumns) * (rows - item.frozenRows)));
    for (const auto& [cell, times] : printed) EXPECT_EQ(times, 1);
}

TEST(PrintLayout, SplitsATallGridDownAndAWideOneAcrossRepeatingTheFrozenPart) {
    // 200 rows of 20 pixels under 2 heading rows, on pages 440 high: 20 rows
    // of data a page, the last page holding the 18 left.
    const PrintLayout tall({Grid(10, 50, 200, 20, 0, 2)}, QSizeF(600, 440));
    EXPECT_EQ(tall.Scale(), 1.0);
    EXPECT_EQ(tall.PagesAcross(0), 1);
    EXPECT_EQ(tall.PagesDown(0), 10);
    EXPECT_EQ(tall.PageCount(), 10);
    EXPECT_EQ(tall.Pages()[1].blocks[1].cells, (CellBlock{1, 23, 10, 42}));
    EXPECT_EQ(tall.Pages()[1].blocks[1].at, QPointF(0, 40));
    EXPECT_EQ(tall.Pages()[9].blocks[1].cells, (CellBlock{1, 183, 10, 200}));
    ExpectEveryCellOnceWithTheFrozenPartOnEveryPage(tall);

    // 40 columns of 50 pixels (2000, too wide even at 70%) beside one frozen
    // column: 11 more columns a page, so 4 page columns; 2 bands of rows.
    const PrintLayout wide({Grid(40, 50, 30, 20, 1, 1)}, QSizeF(600, 400));
    EXPECT_EQ(wide.Scale(), 1.0);
    EXPECT_EQ(wide.PagesAcross(0), 4);
    EXPECT_EQ(wide.PagesDown(0), 2);
    EXPECT_EQ(wide.PageCount(), 8);
    // Across a band of rows first.
    EXPECT_EQ(wide.Pages()[1].blocks.back().cells, (CellBlock{13, 2, 23, 20}));
    EXPECT_EQ(wide.Pages()[4].blocks.back().cells, (CellBlock{2, 21, 12, 30}));
    ExpectEveryCellOnceWithTheFrozenPartOnEveryPage(wide);

    // Heading rows taller than half a page are printed once, not repeated.
    const PrintLayout tallHeadings({Grid(5, 50, 100, 20, 0, 12)}, QSizeF(600, 440));
    EXPECT_EQ(tallHeadings.Pages()[1].blocks.front().cells.firstRow, 23);
}

TEST(PrintLayout, AGridALittleTooWideIsPrintedSmallerOnOnePageAcross) {
    const PrintLayout layout({Grid(14, 50, 100, 20, 1, 1)}, QSizeF(600, 440));
    EXPECT_DOUBLE_EQ(layout.Scale(), 600.0 / 700);
    EXPECT_DOUBLE_EQ(layout.Room().height(), 440 * 700.0 / 600);
    EXPECT_EQ(layout.PagesAcross(0), 1);
    EXPECT_EQ(layout.PageCount(), 5);  // 24 of the 99 rows a page
    EXPECT_TRUE(PrintLayout::PrefersLandscape(700, 600));
    EXPECT_FALSE(PrintLayout::PrefersLandscape(600, 600));
}

TEST(PrintLayout, SmallGridsFollowEachOtherUnderTheirLabelsAndThePictureComesLast) {
    PrintLayout::Item labelled = Grid(8, 40, 5, 20, 0, 1);  // 100 high
    labelled.labelHeight = 20;
    const PrintLayout layout({labelled, labelled, labelled, labelled}, QSizeF(600, 400), 0.5);
    ASSERT_EQ(layout.PageCount(), 3);
    const PrintLayout::Page& first = layout.Pages()[0];
    ASSERT_EQ(first.blocks.size(), 3u);
    EXPECT_EQ(first.labels[1].at, QPointF(0, 120 + PrintLayout::kItemGap));
    EXPECT_EQ(first.blocks[1].at, QPointF(0, 140 + PrintLayout::kItemGap));
    EXPECT_EQ(first.blocks[1].cells, (CellBlock{1, 1, 8, 5}));
    // The fourth does not fit under the third: it starts the next page, and
    // the picture (600 by 300) does not fit under it either.
    EXPECT_EQ(layout.Pages()[1].labels.front().item, 3);
    EXPECT_EQ(layout.Pages()[1].labels.front().at, QPointF(0, 0));
    EXPECT_TRUE(layout.Pages()[1].picture.isEmpty());
    EXPECT_EQ(layout.Pages()[2].picture, QRectF(0, 0, 600, 300));
}

// A table of a few rows but too wide for a page goes down the page in bands
// of columns, each with the frozen heading row and label column.
TEST(PrintLayout, AShortWideGridGoesDownThePageInBandsOfColumns) {
    PrintLayout::Item wide = Grid(40, 50, 5, 20, 1, 1);  // 2000 by 100
    wide.labelHeight = 20;
    const PrintLayout layout({wide}, QSizeF(600, 400));
    EXPECT_EQ(layout.PagesAcross(0), 4);
    EXPECT_EQ(layout.PagesDown(0), 1);
    ASSERT_EQ(layout.PageCount(), 2);  // three bands of 120 fit a page
    const PrintLayout::Page& first = layout.Pages()[0];
    ASSERT_EQ(first.labels.size(), 3u);
    ASSERT_EQ(first.blocks.size(), 12u);
    const double second = 120 + PrintLayout::kItemGap;
    EXPECT_EQ(first.labels[1].at, QPointF(0, second));
    EXPECT_EQ(first.blocks[4].cells, (CellBlock{1, 1, 1, 1}));
    EXPECT_EQ(first.blocks[4].at, QPointF(0, second + 20));
    EXPECT_EQ(first.blocks[7].cells, (CellBlock{13, 2, 23, 5}));
    EXPECT_EQ(first.blocks[7].at, QPointF(50, second + 40));
    EXPECT_EQ(layout.Pages()[1].blocks.back().cells, (CellBlock{35, 2, 40, 5}));
}

}  // namespace
