#pragma once

#include <QAbstractScrollArea>
#include <QLine>
#include <QPixmap>
#include <QStaticText>
#include <QString>
#include <unordered_map>
#include <vector>

#include "core/ResultGrid.h"

// Shows a ResultGrid: a read-only, scrollable table that paints only the
// visible cells, keeps frozen rows and columns in view, draws each border side
// in its own colour and lets text overflow into empty cells to its right.
// Column widths are characters of the grid font, row heights points.
class GridView : public QAbstractScrollArea {
  public:
    explicit GridView(QWidget* parent = nullptr);

    // Shows grid (not owned; it must outlive the view or be replaced).
    void SetGrid(const ResultGrid* grid);
    const ResultGrid* Grid() const { return grid_; }
    // Re-reads sizes and texts after the grid changed.
    void Refresh();

    // Pixel geometry, for layout and tests.
    int ColumnLeft(int column) const { return columnLeft_.at(column - 1); }
    int ColumnPixelWidth(int column) const;
    int RowTop(int row) const { return rowTop_.at(row - 1); }
    int RowPixelHeight(int row) const;
    int FrozenWidth() const;
    int FrozenHeight() const;
    // The cell whose area holds the viewport point, or {0, 0} outside cells.
    QPoint CellAt(QPoint viewportPoint) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {60, 40}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Span {
        int first = 1, last = 0;  // cells to paint
        int offset = 0;           // pixel shift of the scrolled part
    };
    void Relayout();
    void UpdateScrollBars();
    Span VisibleColumns(bool frozen) const;
    Span VisibleRows(bool frozen) const;
    QRect CellRect(int column, int row, const Span& columns, const Span& rows) const;
    // A cell text laid out once, painted many times.
    struct CachedText {
        QStaticText text;
        int width = 0;
        bool ready = false;
    };
    const CachedText& Text(std::uint32_t index);
    void PaintArea(QPainter& p, const Span& columns, const Span& rows);
    void PaintBackgrounds(QPainter& p, const Span& columns, const Span& rows);
    void PaintGridLines(QPainter& p, const Span& columns, const Span& rows);
    void PaintText(QPainter& p, int column, int row, const QRect& rect, const Span& columns,
                   const Span& rows);
    void CollectBorders(int column, int row, const QRect& rect);

    // A cell text drawn once per colour into a picture that is then copied.
    const QPixmap& TextImage(std::uint32_t index, Rgb color);

    std::unordered_map<Rgb, QVector<QLine>> borderLines_;  // per colour, for one area
    std::unordered_map<std::uint64_t, QPixmap> textImages_;

    const ResultGrid* grid_ = nullptr;
    std::vector<int> columnLeft_;    // pixel x of each column, plus the end
    std::vector<int> rowTop_;        // pixel y of each row, plus the end
    std::vector<CachedText> texts_;  // by interned index
};
