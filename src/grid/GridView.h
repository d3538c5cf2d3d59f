#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QString>

#include "core/ResultGrid.h"
#include "grid/GridGeometry.h"
#include "grid/GridModel.h"
#include "grid/GridRenderer.h"

class QAction;
class QItemSelectionModel;

// Shows a ResultGrid: a read-only, scrollable table that paints only the
// visible cells, keeps frozen rows and columns in view, draws each border side
// in its own colour and lets text overflow into empty cells to its right.
// Where cells and texts go is the GridGeometry of the grid for the view's
// font and resolution; the GridRenderer paints each pane.
//
// Other code reads the grid through the view's GridModel, and so do the
// selection, the copy and the accessible table the view offers: the user
// selects a block of cells with the mouse or Shift and the arrows (Ctrl+A
// the whole grid) and copies it with Ctrl+C or 「コピー」 in the right-click
// menu.  Until a cell is clicked there is no current cell and the arrows
// only scroll.
class GridView : public QAbstractScrollArea {
    Q_OBJECT

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
    // SetGrid and then FitToPresentSize, laying the grid out once.
    void SetGridFitted(const ResultGrid* grid, bool height);

    // The grid's name as a screen reader says it after the window's
    // caption (「出現頻度分析 表」 when not set): for windows with several.
    // A leading mark (●, ■) is not read.
    void SetGridName(const QString& name) { gridName_ = name; }
    const QString& GridName() const { return gridName_; }

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

    // Where the cell lies in the viewport, its pane's scrolling applied.
    QRect CellRectInViewport(int column, int row) const;

    // The model every reader of the grid goes through, and the selection
    // over it.
    GridModel* Model() const { return model_; }
    QItemSelectionModel* SelectionModel() const { return selection_; }
    // The current cell, or {0, 0} for none; the selected block (empty for
    // none).  Both 1-based.
    QPoint CurrentCell() const;
    CellBlock SelectedBlock() const;
    // Makes the cell current and selects the block from the anchor to it
    // (extend) or the cell alone (the cell then is the anchor); clamps to the
    // grid and scrolls the cell into view.
    void SetCurrentCell(QPoint cell, bool extend = false);
    void SelectAll();
    void ClearSelection();
    // Puts the selected block on the clipboard (see GridCopy).
    void CopySelection() const;
    // 「コピー」, the first item of the right-click menu.
    QAction* CopyAction() const { return copyAction_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {60, 40}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Relayout();
    void Redraw();
    void ApplyScrollBarPolicies();
    // The size FitToPresentSize fits to.
    QSize PresentRoom(bool height) const;
    void UpdateScrollBars();
    // The scroll offset of the pane the cell lies in (0 across frozen
    // columns, 0 down frozen rows).
    QPoint PaneScroll(int column, int row) const;
    void PaintSelection(QPainter& p, const CellBlock& pane, const QRect& clip, QPoint shift) const;
    void ScrollToCell(QPoint cell);
    // The cell nearest the viewport point, even outside the cells.
    QPoint NearestCell(QPoint viewportPoint) const;
    // Arrows move the current cell (Shift: extend the block); false when the
    // key is not one of them or there is no current cell to move.
    bool MoveCurrentByKey(const QKeyEvent& event);
    // The keys that scroll; false for any other.
    bool ScrollByKey(const QKeyEvent& event);
    void NotifyCurrentChanged();

    const ResultGrid* grid_ = nullptr;
    QString gridName_;
    GridGeometry geometry_;
    GridRenderer renderer_;
    QSize room_;  // the size to fit, or 0 for none
    GridModel* model_ = nullptr;
    QItemSelectionModel* selection_ = nullptr;
    QAction* copyAction_ = nullptr;
    QPoint anchor_;  // where the selected block started
    bool dragging_ = false;
};
