#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/ResultGrid.h"

class TextMeasures;

// A rectangle of cells: columns firstColumn … lastColumn, rows firstRow …
// lastRow (empty when a last is before its first).
struct CellBlock {
    int firstColumn = 1;
    int firstRow = 1;
    int lastColumn = 0;
    int lastRow = 0;
    bool Empty() const { return firstColumn > lastColumn || firstRow > lastRow; }
    bool operator==(const CellBlock&) const = default;
};

// The pixel layout of a ResultGrid for one font at one resolution: where
// every column and row lies, and in which font and where each cell's text is
// drawn.  Everything that draws a grid lays it out through this class, so a
// view and a picture of the same grid agree to the pixel.  Coordinates are
// relative to the grid's top-left corner, unscrolled.
//
// A column is as wide as its characters of the font's digits ('0') and a row
// as high as its points, and then:
// - where the grid has a width to fill, columns whose texts do not fit widen
//   into it, alike columns together, as far as it goes;
// - a text wider than the room it has (its cell, or the empty cells it may
//   overflow into) is drawn in a smaller font, down to 7 pt; the texts of a
//   column that go together (numbers alike but for their digits, the other
//   texts of rows of one height) share the smallest size any of them needs,
//   so a column does not mix sizes within its headings or its data;
// - a column widens only for a text that does not fit even at 7 pt;
// - a row grows until every text in it stays clear of its top and bottom
//   lines; in a table shown whole (no vertical scroll bar) the rows of one
//   height in points stay of one height, and where they would outgrow the
//   height the table has, its texts are drawn smaller instead.
class GridGeometry {
  public:
    // Pixels between a cell's edges and its text, on each side.
    static constexpr int kTextPadding = 2;
    // How many empty neighbours to the right a text may overflow into.
    static constexpr int kMaxOverflowColumns = 40;
    // The smallest size a text is shrunk to.
    static constexpr double kSmallestPoints = 7.0;

    GridGeometry() = default;
    // dpi converts the point sizes (rows, the font) to pixels.  room is the
    // size the grid has in its view, 0 where none is given: columns widen
    // into its width to show their texts in the grid's font rather than a
    // smaller one, and a grid that does not scroll up and down keeps its
    // rows within its height by drawing its texts smaller.
    GridGeometry(const ResultGrid& grid, const QFont& font, double dpi, QSize room = {});

    // Whether laying the grid out for room (in the same font and resolution)
    // would give this very layout, so a view fitting the grid to a new size
    // can keep it.
    bool SameForRoom(QSize room) const;

    int ColumnCount() const { return static_cast<int>(columnEdges_.size()) - 1; }
    int RowCount() const { return static_cast<int>(rowEdges_.size()) - 1; }
    // Column c covers [ColumnLeft(c), ColumnLeft(c + 1)); the same for rows.
    int ColumnLeft(int column) const { return columnEdges_.at(column - 1); }
    int ColumnWidth(int column) const {
        return columnEdges_.at(column) - columnEdges_.at(column - 1);
    }
    int RowTop(int row) const { return rowEdges_.at(row - 1); }
    int RowHeight(int row) const { return rowEdges_.at(row) - rowEdges_.at(row - 1); }
    // The resolution the layout was made for, in dots per inch.
    double Dpi() const { return dpi_; }
    int Width() const { return columnEdges_.back(); }
    int Height() const { return rowEdges_.back(); }
    // ColumnCount() + 1 edges from 0; RowCount() + 1 edges from 0.
    const std::vector<int>& ColumnEdges() const { return columnEdges_; }
    const std::vector<int>& RowEdges() const { return rowEdges_; }
    QRect CellRect(int column, int row) const {
        return QRect(ColumnLeft(column), RowTop(row), ColumnWidth(column), RowHeight(row));
    }
    // The pixels the block covers.
    QRect BlockRect(const CellBlock& block) const {
        return QRect(QPoint(ColumnLeft(block.firstColumn), RowTop(block.firstRow)),
                     QPoint(ColumnLeft(block.lastColumn + 1) - 1, RowTop(block.lastRow + 1) - 1));
    }
    // The first item k in [lo, hi] that ends after position: edges are
    // sorted, edges[k] is where item k + 1 starts and edges[k + 1] where it
    // ends; hi when none does.
    static int FirstEndingAfter(const std::vector<int>& edges, int position, int lo, int hi);

    // The fonts cell texts are drawn in, sized in pixels: 0 is the grid's
    // font, each further one a pixel smaller.
    int FontCount() const { return static_cast<int>(fonts_.size()); }
    const QFont& Font(int index) const { return fonts_.at(index).font; }
    // Whole pixels from the top of a text's line box to its baseline, when
    // the line box starts on a pixel boundary and the baseline falls on one.
    int BaselineOffset(int font) const { return MetricsOf(font).baselineOffset; }

    // Where the text of a cell goes.
    struct TextPlacement {
        int font = 0;      // index of the font it is drawn in
        QRect room;        // the cell less its padding, widened over the empty
                           // neighbours the text overflows into
        int x = 0;         // where the text starts
        int baseline = 0;  // the y of its baseline
        int width = 0;     // its visible width (trailing blanks left out)
    };
    TextPlacement PlaceText(int column, int row) const;
    // The same for a renderer that has the cell at hand.
    TextPlacement PlaceText(int column, int row, const ResultGrid::CellView& cell) const;

  private:
    // Where a font's texts sit: measured only for the fonts a layout uses,
    // since loading a font and its glyphs costs more than laying out a grid.
    struct FontMetrics {
        int baselineOffset = 0;
        int inkTop = 0;     // the ink of the font's tallest glyphs,
        int inkBottom = 0;  // relative to the baseline
        int digitTop = 0;   // the same for the digits
        int digitBottom = 0;
    };
    struct FontSize {
        QFont font;
        std::optional<FontMetrics> metrics;  // once a layout has used the font
        // What the calling thread has measured in the font (used while
        // laying out).
        TextMeasures* measures = nullptr;
    };
    void MakeFonts(const QFont& font, double dpi);
    // The font's metrics, kept from then on for the layout (not thread-safe,
    // so only while laying out).
    const FontMetrics& MeasureFont(int font);
    // The font's metrics, kept or measured afresh.
    FontMetrics MetricsOf(int font) const;
    static FontMetrics Measure(const FontSize& size);
    void LayOutColumns();
    void MeasureTexts();
    void FillWidth(int widthToFill);
    void ChooseFonts();
    void LayOutRows(double dpi);
    void EvenOutRows();
    void KeepRowsWithin(int height, double dpi);
    int CellFont(int column, int row) const;
    // The first row the text's ink covers and the row after its last,
    // relative to its baseline.
    std::pair<int, int> TextInk(std::uint32_t text, int font) const;
    double VisibleWidth(std::uint32_t text, int font) const;
    float MeasuredWidth(int font, const std::string& text) const;
    void MeasureWidth(int font, std::uint32_t text);
    // The most room a text of the cell can have: the cell, or with the empty
    // neighbours it may overflow into.
    int MostRoom(int column, int row) const;
    // Calls visit(column, row, text, width, room) for every text wider in the
    // grid's font than the most room its cell gives it.
    template <typename Visit>
    void ForEachCrampedText(Visit&& visit);
    void FindCrampedTexts();
    QRect TextRoom(int column, int row, int width, bool overflow) const;
    // The y of the baseline of a text in the font, within the row.
    int Baseline(int row, int font, ResultGrid::VAlign align) const;
    // The same, from the top of a row of that height.
    int BaselineInRow(int height, int font, ResultGrid::VAlign align) const;

    const ResultGrid* grid_ = nullptr;
    double dpi_ = 96.0;
    QSize room_;            // the room laid out for
    int naturalWidth_ = 0;  // the width before columns widen into the room
    std::vector<int> columnEdges_{0};
    std::vector<int> rowEdges_{0};
    std::vector<FontSize> fonts_;
    // Visible width of each interned text, per font (negative: not measured).
    std::vector<std::vector<float>> widths_;
    // The cells whose texts are wider in the grid's font than the most room
    // they had when first looked at, row by row.
    struct Cramped {
        int column, row;
        std::uint32_t text;
        int width;  // in whole pixels
    };
    std::vector<Cramped> cramped_;
    bool crampedFound_ = false;
    // The font of each cell, row by row; empty while every cell uses font 0.
    std::vector<std::uint8_t> cellFonts_;
};
