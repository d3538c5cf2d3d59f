#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <optional>

#include "grid/GridView.h"

namespace {

// A large grid like the biggest analysis tables: two frozen heading rows, a
// frozen label column, coloured cells.
ResultGrid LargeGrid() {
    ResultGrid g;
    g.SetColumnCount(39);
    g.SetRowCount(5004);
    g.FreezeRows(2);
    g.FreezeColumns(1);
    g.SetVisibleColumns(39);
    g.SetVisibleRows(40);
    g.SetColumnWidth(-1, 2);
    g.SetColumnWidth(1, 5);
    g.SetRowHeight(-1, 10);
    for (int r = 1; r <= 5004; ++r) g.WriteCell(1, r, r);
    g.SelectBlock(2, 3, 39, 5004);
    g.BlockMode(true);
    g.SetBackColor(MakeRgb(255, 255, 200));
    g.DrawBorder(ResultGrid::kBorderAll, 1, MakeRgb(0, 0, 255));
    g.BlockMode(false);
    return g;
}

QColor PixelInCell(GridView& view, int column, int row) {
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (view.CellAt({x, y}) == QPoint(column, row)) {
                return image.pixelColor(x + view.ColumnPixelWidth(column) / 2,
                                        y + view.RowPixelHeight(row) / 2);
            }
        }
    }
    return {};
}

TEST(GridView, FrozenRowsAndColumnsStayInViewWhileScrolling) {
    const ResultGrid grid = LargeGrid();
    GridView view;
    view.SetGrid(&grid);
    view.resize(400, 300);
    view.show();
    const QPoint frozenCorner(view.ColumnPixelWidth(1) / 2, view.RowPixelHeight(1) / 2);
    EXPECT_EQ(view.CellAt(frozenCorner), QPoint(1, 1));
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    EXPECT_EQ(view.CellAt(frozenCorner), QPoint(1, 1));
    const QPoint firstScrolled(view.FrozenWidth() + 1, view.FrozenHeight() + 1);
    const QPoint cell = view.CellAt(firstScrolled);
    EXPECT_GT(cell.x(), 1);
    EXPECT_GT(cell.y(), 4900);
    const QPoint bottomRight(view.viewport()->width() - 2, view.viewport()->height() - 2);
    EXPECT_EQ(view.CellAt(bottomRight).y(), 5004);
}

TEST(GridView, PaintsCellColoursOfALargeGrid) {
    const ResultGrid grid = LargeGrid();
    GridView view;
    view.SetGrid(&grid);
    view.resize(500, 400);
    view.show();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    const QPoint cell = view.CellAt({view.FrozenWidth() + 30, view.FrozenHeight() + 30});
    ASSERT_GT(cell.y(), 2);
    EXPECT_EQ(PixelInCell(view, cell.x(), cell.y()), QColor(255, 255, 200));
    EXPECT_EQ(PixelInCell(view, 1, 1), QColor(Qt::white));
}

TEST(GridView, SizesFollowCharactersAndPoints) {
    ResultGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    grid.SetColumnWidth(1, 2);
    grid.SetColumnWidth(2, 20);
    grid.SetRowHeight(1, 10);
    grid.SetRowHeight(2, 20);
    grid.SetVisibleColumns(2);
    grid.SetVisibleRows(2);
    grid.SetScrollBars(0);
    GridView view;
    view.SetGrid(&grid);
    EXPECT_GT(view.ColumnPixelWidth(2), 5 * view.ColumnPixelWidth(1));
    EXPECT_NEAR(view.RowPixelHeight(2), 2 * view.RowPixelHeight(1), 1);
    // The preferred size covers exactly the visible columns and rows.
    const int frame = 2 * view.frameWidth();
    EXPECT_EQ(view.sizeHint(), QSize(view.ColumnLeft(3) + frame,
                                     view.RowPixelHeight(1) + view.RowPixelHeight(2) + frame));
}

TEST(GridView, OverflowingTextSpillsIntoEmptyNeighboursOnly) {
    ResultGrid grid;
    grid.SetColumnCount(8);
    grid.SetRowCount(2);
    grid.SetColumnWidth(-1, 2);
    grid.SetScrollBars(0);
    grid.SelectBlock(1, 1, 8, 2);
    grid.BlockMode(true);
    grid.SetForeColor(MakeRgb(255, 0, 0));
    grid.BlockMode(false);
    grid.SelectCell(1, 1);
    grid.SetTextOverflow(true);
    grid.WriteCell(1, 1, "■■■■■■");
    grid.WriteCell(4, 2, "■■■■■■");  // no overflow: its column makes room
    GridView view;
    view.SetGrid(&grid);
    view.resize(600, 100);
    view.show();
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    const auto hasRed = [&](int column, int row) {
        for (int x = view.ColumnLeft(column) + 3; x < view.ColumnLeft(column + 1) - 3; ++x) {
            const int y = view.RowTop(row) + view.RowPixelHeight(row) / 2;
            if (image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 100)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(hasRed(1, 1));
    EXPECT_TRUE(hasRed(3, 1));
    EXPECT_TRUE(hasRed(4, 2));
    EXPECT_FALSE(hasRed(5, 2));
    // The faint line between cells stays out of the text running across it.
    const QColor faint(210, 210, 210);
    const int edge = view.ColumnLeft(2) - 1;
    EXPECT_NE(image.pixelColor(edge, view.RowTop(1) + 1), faint);
    EXPECT_EQ(image.pixelColor(edge, view.RowTop(2) + 1), faint);
}

// Each border side is drawn in its own colour: the default line colour
// (black), or the colour it was drawn with.
TEST(GridView, DrawsEachBorderInItsColour) {
    ResultGrid grid;
    grid.SetColumnCount(4);
    grid.SetRowCount(3);
    grid.SetColumnWidth(-1, 4);
    grid.SetScrollBars(0);
    const struct {
        int column;
        std::optional<Rgb> colour;
        QColor seen;
    } borders[] = {
        {1, std::nullopt, QColor(0, 0, 0)},
        {2, MakeRgb(136, 196, 255), QColor(136, 196, 255)},
        {3, MakeRgb(255, 0, 0), QColor(255, 0, 0)},
    };
    for (const auto& border : borders) {
        grid.SelectBlock(border.column, 1, border.column, 3);
        grid.BlockMode(true);
        grid.DrawBorder(ResultGrid::kBorderRight, 1, border.colour);
        grid.BlockMode(false);
    }
    GridView view;
    view.SetGrid(&grid);
    view.resize(400, 100);
    view.show();
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    for (const auto& border : borders) {
        SCOPED_TRACE(border.column);
        const int edge = view.ColumnLeft(border.column + 1);
        const int y = view.RowTop(2) + view.RowPixelHeight(2) / 2;
        QList<QColor> lines;
        for (int x = edge - 2; x <= edge + 1; ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white)) lines << image.pixelColor(x, y);
        }
        EXPECT_EQ(lines, QList<QColor>{border.seen});
    }
}

// A text that overflows from a column scrolled out of view at the left
// still shows in the empty cells it runs into.
TEST(GridView, TextOverflowingFromAColumnScrolledOutOfViewStillShows) {
    ResultGrid grid;
    grid.SetColumnCount(30);
    grid.SetRowCount(2);
    grid.SetColumnWidth(-1, 2);
    grid.FreezeColumns(1);
    grid.SetScrollBars(1);
    grid.SelectCell(2, 1);
    grid.SetTextOverflow(true);
    grid.SetForeColor(MakeRgb(255, 0, 0));
    grid.WriteCell(2, 1, "■■■■■■■■");
    grid.WriteCell(1, 1, "回");
    GridView view;
    view.SetGrid(&grid);
    view.resize(200, 80);
    view.show();
    const int scrolled = view.ColumnLeft(4) - view.ColumnLeft(2);
    view.horizontalScrollBar()->setValue(scrolled);
    ASSERT_EQ(view.horizontalScrollBar()->value(), scrolled);
    ASSERT_EQ(view.CellAt({view.FrozenWidth() + 1, 2}), QPoint(4, 1));
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    int red = 0;
    for (int x = view.FrozenWidth() + 1; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, view.RowPixelHeight(1) / 2);
        if (c.red() > 200 && c.green() < 100) ++red;
    }
    EXPECT_GT(red, view.ColumnPixelWidth(4) / 2);
}

}  // namespace
