#pragma once

#include <QAbstractScrollArea>

#include "core/ResultGrid.h"
#include "grid/GridGeometry.h"
#include "grid/GridRenderer.h"

// Shows a ResultGrid: a read-only, scrollable table that paints only the
// visible cells, keeps frozen rows and columns in view, draws each border side
// in its own colour and lets text overflow into empty cells to its right.
// Where cells and texts go is the GridGeometry of the grid for the view's
// font and resolution; the GridRenderer paints each pane.
class GridView : public QAbstractScrollArea {
  public:
    explicit GridView(QWidget* parent = nullptr);

    // Shows grid (not owned; it must outlive the view or be replaced).
    void SetGrid(const ResultGrid* grid);
    const ResultGrid* Grid() const { return grid_; }
    // Re-reads sizes and texts after the grid changed.
    void Refresh();
    // Fits the grid to the view's present size, which stays the one to fit
    // when the view is resized later: columns widen into its width to show
    // their texts in the grid's font rather than a smaller one, and, with
    // height, a grid that does not scroll up and down keeps its rows within
    // its height by drawing its texts smaller.
    void FitToPresentSize(bool height);

    // Pixel geometry, for layout and tests.
    const GridGeometry& Geometry() const { return geometry_; }
    int ColumnLeft(int column) const { return geometry_.ColumnLeft(column); }
    int ColumnPixelWidth(int column) const { return geometry_.ColumnWidth(column); }
    int RowTop(int row) const { return geometry_.RowTop(row); }
    int RowPixelHeight(int row) const { return geometry_.RowHeight(row); }
    int FrozenWidth() const;
    int FrozenHeight() const;
    // The cell whose area holds the viewport point, or {0, 0} outside cells.
    QPoint CellAt(QPoint viewportPoint) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {60, 40}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Relayout();
    void UpdateScrollBars();

    const ResultGrid* grid_ = nullptr;
    GridGeometry geometry_;
    GridRenderer renderer_;
    QSize room_;  // the size to fit, or 0 for none
};
