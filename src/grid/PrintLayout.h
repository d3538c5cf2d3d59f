#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

#include "grid/GridGeometry.h"

// Where the grids of a printed document go: which cells on which page, at
// what place and what scale.  It works from sizes alone (the grids' column
// and row edges in the pixels of their geometry, the room of a page in the
// same pixels at full size), so a page is laid out alike for the printer,
// the preview and a PDF file.
//
// The rules:
// - One scale for the document: full size, where the widest grid fits
//   across the page; else smaller, down to kSmallestScale, until it fits;
//   a grid too wide even then is printed at full size in page columns.
// - A grid larger than a page is cut into tiles: bands of whole rows, each
//   cut into bands of whole columns, as many as fit a page (at least one
//   of each).  Its frozen heading rows are repeated atop every tile and its
//   frozen columns at the left of every tile, unless they would take more
//   than half of the page.  Tiles go across a band of rows first, then down
//   to the next band.  A grid that fits a page is one tile.
// - Tiles (and grids) follow one another down the page, kItemGap apart,
//   each under its grid's label; one that does not fit in what is left of
//   the page starts a new one.  So the tiles of a short, wide table lie one
//   under another on a page, and those of a long one fill a page each.
// - The picture, if any, comes last, as wide as the page (or as high).
class PrintLayout {
  public:
    // One grid and the label above it.
    struct Item {
        std::vector<int> columnEdges{0};  // GridGeometry::ColumnEdges()
        std::vector<int> rowEdges{0};     // GridGeometry::RowEdges()
        int frozenColumns = 0;
        int frozenRows = 0;
        double labelHeight = 0;  // 0: no label
    };
    // Cells of an item placed on a page, with the top-left corner of their
    // pixels at `at`.
    struct Block {
        int item = 0;
        CellBlock cells;
        QPointF at;
    };
    struct Label {
        int item = 0;
        QPointF at;
    };
    struct Page {
        std::vector<Label> labels;
        std::vector<Block> blocks;
        QRectF picture;  // empty: none on this page
    };

    static constexpr double kSmallestScale = 0.7;
    static constexpr double kItemGap = 12;

    // room: the part of a page the grids may fill, in the grids' pixels at
    // full size.  pictureAspect: the height of the picture over its width,
    // 0 for none.  Page positions are in the same pixels; a device draws
    // them multiplied by Scale().
    PrintLayout(std::vector<Item> items, QSizeF room, double pictureAspect = 0);

    double Scale() const { return scale_; }
    // The room of a page in page positions: the room given over the scale.
    QSizeF Room() const { return room_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const std::vector<Page>& Pages() const { return pages_; }
    const std::vector<Item>& Items() const { return items_; }
    // How many bands of columns and of rows an item is cut into (1 and 1
    // when it is printed whole).
    int PagesAcross(int item) const { return split_.at(item).across; }
    int PagesDown(int item) const { return split_.at(item).down; }

    // Whether a document whose widest grid is widestGrid pixels wide goes
    // across landscape pages: it does when it would not fit across a
    // portrait page (portraitRoomWidth) at full size.
    static bool PrefersLandscape(double widestGrid, double portraitRoomWidth) {
        return widestGrid > portraitRoomWidth;
    }

  private:
    struct Split {
        int across = 1, down = 1;
    };
    void PlaceItem(int index, double& y);
    void PlacePicture(double aspect, double& y);
    // The top of something height high placed under what the page holds
    // (y), on a new page where it does not fit there.
    double Place(double height, double& y);

    std::vector<Item> items_;
    double scale_ = 1.0;
    QSizeF room_;
    std::vector<Page> pages_;
    std::vector<Split> split_;
};
