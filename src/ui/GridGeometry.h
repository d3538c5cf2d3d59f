#pragma once

#include <QFont>
#include <QRect>
#include <cstdint>
#include <vector>

#include "core/ResultGrid.h"

// The pixel layout of a ResultGrid for one font at one resolution: where
// every column and row lies, and in which font and where each cell's text is
// drawn.  Column widths count characters of the font (the advance of '0'),
// row heights points.  Everything that draws a grid lays it out through this
// class, so a view and a picture of the same grid agree to the pixel.
// Coordinates are relative to the grid's top-left corner, unscrolled.
class GridGeometry {
  public:
    // Pixels between a cell's edges and its text, on each side.
    static constexpr int kTextPadding = 2;
    // How many empty neighbours to the right a text may overflow into.
    static constexpr int kMaxOverflowColumns = 40;

    GridGeometry() = default;
    // dpi converts the point sizes (rows, the font) to pixels.
    GridGeometry(const ResultGrid& grid, const QFont& font, double dpi);

    int ColumnCount() const { return static_cast<int>(columnEdges_.size()) - 1; }
    int RowCount() const { return static_cast<int>(rowEdges_.size()) - 1; }
    // Column c covers [ColumnLeft(c), ColumnLeft(c + 1)); the same for rows.
    int ColumnLeft(int column) const { return columnEdges_.at(column - 1); }
    int ColumnWidth(int column) const {
        return columnEdges_.at(column) - columnEdges_.at(column - 1);
    }
    int RowTop(int row) const { return rowEdges_.at(row - 1); }
    int RowHeight(int row) const { return rowEdges_.at(row) - rowEdges_.at(row - 1); }
    int Width() const { return columnEdges_.back(); }
    int Height() const { return rowEdges_.back(); }
    // ColumnCount() + 1 edges from 0; RowCount() + 1 edges from 0.
    const std::vector<int>& ColumnEdges() const { return columnEdges_; }
    const std::vector<int>& RowEdges() const { return rowEdges_; }
    QRect CellRect(int column, int row) const {
        return QRect(ColumnLeft(column), RowTop(row), ColumnWidth(column), RowHeight(row));
    }

    // The fonts cell texts are drawn in: 0 is the grid's font.
    int FontCount() const { return static_cast<int>(fonts_.size()); }
    const QFont& Font(int index) const { return fonts_.at(index); }

    // Where the text of a cell goes.
    struct TextPlacement {
        int font = 0;      // index of the font it is drawn in
        QRect room;        // the cell less its padding, widened over the empty
                           // neighbours the text overflows into
        QPoint origin;     // top-left corner of the text's line box
        double width = 0;  // the text's visible width (trailing blanks left out)
    };
    TextPlacement PlaceText(int column, int row) const;

  private:
    void MeasureTexts();
    double VisibleWidth(std::uint32_t text, int font) const;
    QRect TextRoom(int column, int row, double width) const;

    const ResultGrid* grid_ = nullptr;
    std::vector<int> columnEdges_{0};
    std::vector<int> rowEdges_{0};
    std::vector<QFont> fonts_;
    std::vector<float> widths_;  // visible width of each interned text in font 0
    double lineHeight_ = 0;
};
