#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

#include "ui/GridGeometry.h"

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
// - Grids follow one another down the page, kItemGap apart, each with its
//   label above it.  A grid that does not fit in what is left of the page
//   starts a new one; a grid larger than a page is split over pages.
// - A split grid's frozen heading rows are repeated at the top of every
//   page and its frozen columns at the left of every page column, unless
//   they would take more than half of the page.  Each page holds as many
//   whole rows and columns as fit (at least one of each).  The pages of a
//   split grid go across a band of rows first, then down to the next band,
//   so the pages of one band lie side by side.
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
    // How many page columns and rows an item takes (1 and 1 when it is
    // printed whole).
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
    void PlaceWhole(int index, double& y);
    void PlaceSplit(int index, double& y);
    void PlacePicture(double aspect, double& y);
    // Starts a new page unless the present one is still empty.
    void StartPage(double& y);

    std::vector<Item> items_;
    double scale_ = 1.0;
    QSizeF room_;
    std::vector<Page> pages_;
    std::vector<Split> split_;
};
