#include "ui/GridView.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "ui/QtColor.h"

namespace {

constexpr QColor kGridLineColor(210, 210, 210);
constexpr int kTextPadding = 2;
// How far to the left a cell is looked for whose text may overflow into view.
constexpr int kOverflowLookBehind = 40;

// The first item k in [lo, hi] that ends after position: edges are sorted,
// edges[k] is where item k + 1 starts and edges[k + 1] where it ends.
int FirstEndingAfter(const std::vector<int>& edges, int position, int lo, int hi) {
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (edges[mid + 1] <= position) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

}  // namespace

GridView::GridView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::Box);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    Relayout();
}

void GridView::SetGrid(const ResultGrid* grid) {
    grid_ = grid;
    Refresh();
}

void GridView::Refresh() {
    texts_.clear();
    textImages_.clear();
    Relayout();
    updateGeometry();
    viewport()->update();
}

void GridView::Relayout() {
    columnLeft_.assign(1, 0);
    rowTop_.assign(1, 0);
    if (grid_) {
        const QFontMetricsF metrics(font());
        const double charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
        const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
        for (int c = 1; c <= grid_->ColumnCount(); ++c) {
            const int w = std::max(0, static_cast<int>(std::lround(
                                          grid_->ColumnWidth(c) * charWidth + 2 * kTextPadding)));
            columnLeft_.push_back(columnLeft_.back() + w);
        }
        for (int r = 1; r <= grid_->RowCount(); ++r) {
            const int h =
                std::max(0, static_cast<int>(std::lround(grid_->RowHeight(r) * dpi / 72.0)));
            rowTop_.push_back(rowTop_.back() + h);
        }
        const bool horizontal = grid_->ScrollBars() & 1;
        const bool vertical = grid_->ScrollBars() & 2;
        setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
    UpdateScrollBars();
}

int GridView::ColumnPixelWidth(int column) const {
    return columnLeft_.at(column) - columnLeft_.at(column - 1);
}

int GridView::RowPixelHeight(int row) const { return rowTop_.at(row) - rowTop_.at(row - 1); }

int GridView::FrozenWidth() const {
    if (!grid_) return 0;
    const int frozen = std::clamp(grid_->FrozenColumns(), 0, grid_->ColumnCount());
    return columnLeft_[frozen];
}

int GridView::FrozenHeight() const {
    if (!grid_) return 0;
    const int frozen = std::clamp(grid_->FrozenRows(), 0, grid_->RowCount());
    return rowTop_[frozen];
}

void GridView::UpdateScrollBars() {
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, columnLeft_.back() - area.width()));
    horizontalScrollBar()->setPageStep(std::max(1, area.width() - FrozenWidth()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, rowTop_.back() - area.height()));
    verticalScrollBar()->setPageStep(std::max(1, area.height() - FrozenHeight()));
    verticalScrollBar()->setSingleStep(
        std::max(1, rowTop_.size() > 2 ? rowTop_[2] - rowTop_[1] : 16));
}

QSize GridView::sizeHint() const {
    if (!grid_) return {200, 100};
    const int columns = std::clamp(grid_->VisibleColumns(), 0, grid_->ColumnCount());
    const int rows = std::clamp(grid_->VisibleRows(), 0, grid_->RowCount());
    int width = columnLeft_[columns] + 2 * frameWidth();
    int height = rowTop_[rows] + 2 * frameWidth();
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        width += verticalScrollBar()->sizeHint().width();
    }
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        height += horizontalScrollBar()->sizeHint().height();
    }
    return {width, height};
}

GridView::Span GridView::VisibleColumns(bool frozen) const {
    const int count = grid_->ColumnCount();
    const int frozenCount = std::clamp(grid_->FrozenColumns(), 0, count);
    if (frozen) return {1, frozenCount, 0};
    const int offset = horizontalScrollBar()->value();
    const int from = FrozenWidth() + offset;
    const int to = offset + viewport()->width();
    Span s{frozenCount + 1, frozenCount, offset};
    if (frozenCount >= count) return s;
    s.first = FirstEndingAfter(columnLeft_, from, frozenCount, count - 1) + 1;
    s.last = std::min(count, FirstEndingAfter(columnLeft_, to, s.first - 1, count - 1) + 1);
    return s;
}

GridView::Span GridView::VisibleRows(bool frozen) const {
    const int count = grid_->RowCount();
    const int frozenCount = std::clamp(grid_->FrozenRows(), 0, count);
    if (frozen) return {1, frozenCount, 0};
    const int offset = verticalScrollBar()->value();
    const int from = FrozenHeight() + offset;
    const int to = offset + viewport()->height();
    Span s{frozenCount + 1, frozenCount, offset};
    if (frozenCount >= count) return s;
    s.first = FirstEndingAfter(rowTop_, from, frozenCount, count - 1) + 1;
    s.last = std::min(count, FirstEndingAfter(rowTop_, to, s.first - 1, count - 1) + 1);
    return s;
}

QRect GridView::CellRect(int column, int row, const Span& columns, const Span& rows) const {
    return QRect(columnLeft_[column - 1] - columns.offset, rowTop_[row - 1] - rows.offset,
                 ColumnPixelWidth(column), RowPixelHeight(row));
}

QPoint GridView::CellAt(QPoint point) const {
    if (!grid_) return {0, 0};
    const bool inFrozenColumns = point.x() < FrozenWidth();
    const bool inFrozenRows = point.y() < FrozenHeight();
    const int x = point.x() + (inFrozenColumns ? 0 : horizontalScrollBar()->value());
    const int y = point.y() + (inFrozenRows ? 0 : verticalScrollBar()->value());
    if (x < 0 || y < 0 || x >= columnLeft_.back() || y >= rowTop_.back()) return {0, 0};
    const int column = FirstEndingAfter(columnLeft_, x, 0, grid_->ColumnCount() - 1) + 1;
    const int row = FirstEndingAfter(rowTop_, y, 0, grid_->RowCount() - 1) + 1;
    return {column, row};
}

const GridView::CachedText& GridView::Text(std::uint32_t index) {
    if (texts_.size() != grid_->TextCount()) texts_.resize(grid_->TextCount());
    CachedText& cached = texts_[index];
    if (!cached.ready) {
        cached.text.setText(QString::fromStdString(grid_->TextByIndex(index)));
        cached.text.setTextFormat(Qt::PlainText);
        cached.text.prepare(QTransform(), font());
        cached.width = static_cast<int>(std::ceil(cached.text.size().width()));
        cached.ready = true;
    }
    return cached;
}

void GridView::paintEvent(QPaintEvent*) {
    if (!grid_ || grid_->ColumnCount() == 0 || grid_->RowCount() == 0) return;
    QPainter p(viewport());
    const int frozenWidth = FrozenWidth();
    const int frozenHeight = FrozenHeight();
    const QRect all = viewport()->rect();
    const struct {
        bool frozenColumns, frozenRows;
        QRect clip;
    } areas[] = {
        {false, false, QRect(QPoint(frozenWidth, frozenHeight), all.bottomRight())},
        {true, false, QRect(0, frozenHeight, frozenWidth, all.height() - frozenHeight)},
        {false, true, QRect(frozenWidth, 0, all.width() - frozenWidth, frozenHeight)},
        {true, true, QRect(0, 0, frozenWidth, frozenHeight)},
    };
    for (const auto& area : areas) {
        if (area.clip.isEmpty()) continue;
        p.setClipRect(area.clip);
        PaintArea(p, VisibleColumns(area.frozenColumns), VisibleRows(area.frozenRows));
    }
}

// Backgrounds first, then grid lines, texts (which may spill over empty
// neighbours) and last the borders, batched per colour.
void GridView::PaintArea(QPainter& p, const Span& columns, const Span& rows) {
    if (columns.first > columns.last || rows.first > rows.last) return;
    PaintBackgrounds(p, columns, rows);
    PaintGridLines(p, columns, rows);

    const int firstScrolling = std::clamp(grid_->FrozenColumns(), 0, grid_->ColumnCount()) + 1;
    const int textFrom = columns.first >= firstScrolling
                             ? std::max(firstScrolling, columns.first - kOverflowLookBehind)
                             : columns.first;
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = textFrom; c <= columns.last; ++c) {
            if (grid_->TextIndex(c, r) == 0) continue;
            PaintText(p, c, r, CellRect(c, r, columns, rows), columns, rows);
        }
    }

    borderLines_.clear();
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = columns.first; c <= columns.last; ++c) {
            CollectBorders(c, r, CellRect(c, r, columns, rows));
        }
    }
    for (const auto& [color, lines] : borderLines_) {
        p.setPen(ToQColor(color));
        p.drawLines(lines);
    }
}

// One fill per run of equally coloured cells in a row; white is the
// viewport's own background.
void GridView::PaintBackgrounds(QPainter& p, const Span& columns, const Span& rows) {
    for (int r = rows.first; r <= rows.last; ++r) {
        int c = columns.first;
        while (c <= columns.last) {
            const Rgb back = grid_->Cell(c, r).back;
            int last = c;
            while (last < columns.last && grid_->Cell(last + 1, r).back == back) ++last;
            if (back != kWhite) {
                const QRect first = CellRect(c, r, columns, rows);
                p.fillRect(first.united(CellRect(last, r, columns, rows)), ToQColor(back));
            }
            c = last + 1;
        }
    }
}

// The faint lines between all cells: one line per column and row edge.
void GridView::PaintGridLines(QPainter& p, const Span& columns, const Span& rows) {
    const QRect top = CellRect(columns.first, rows.first, columns, rows);
    const QRect bottom = CellRect(columns.last, rows.last, columns, rows);
    QVector<QLine> lines;
    for (int c = columns.first; c <= columns.last; ++c) {
        const int x = CellRect(c, rows.first, columns, rows).right();
        lines.append(QLine(x, top.top(), x, bottom.bottom()));
    }
    for (int r = rows.first; r <= rows.last; ++r) {
        const int y = CellRect(columns.first, r, columns, rows).bottom();
        lines.append(QLine(top.left(), y, bottom.right(), y));
    }
    p.setPen(kGridLineColor);
    p.drawLines(lines);
}

void GridView::PaintText(QPainter& p, int column, int row, const QRect& cellRect,
                         const Span& columns, const Span& rows) {
    const ResultGrid::CellView cell = grid_->Cell(column, row);
    const CachedText& text = Text(grid_->TextIndex(column, row));
    QRect rect = cellRect.adjusted(kTextPadding, 0, -kTextPadding, 0);
    if (cell.overflow) {
        int last = column;
        while (rect.width() < text.width && last < grid_->ColumnCount() &&
               grid_->IsEmpty(last + 1, row)) {
            ++last;
            rect.setRight(CellRect(last, row, columns, rows).right() - kTextPadding);
        }
    }
    // Text that cannot fit shows its beginning rather than its middle.
    int x = rect.left();
    if (text.width <= rect.width()) {
        if (cell.halign == ResultGrid::HAlign::Center) x += (rect.width() - text.width) / 2;
        if (cell.halign == ResultGrid::HAlign::Right) x = rect.right() + 1 - text.width;
    }
    const int height = static_cast<int>(std::ceil(text.text.size().height()));
    int y = rect.top() + (rect.height() - height) / 2;
    if (cell.valign == ResultGrid::VAlign::Top) y = rect.top();
    if (cell.valign == ResultGrid::VAlign::Bottom) y = rect.bottom() + 1 - height;
    const QPixmap& image = TextImage(grid_->TextIndex(column, row), cell.fore);
    if (text.width <= rect.width()) {
        p.drawPixmap(x, y, image);
        return;
    }
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.drawPixmap(x, y, image);
    p.restore();
}

const QPixmap& GridView::TextImage(std::uint32_t index, Rgb color) {
    const std::uint64_t key = (static_cast<std::uint64_t>(index) << 32) | color;
    const auto found = textImages_.find(key);
    if (found != textImages_.end()) return found->second;
    const CachedText& text = Text(index);
    const qreal ratio = devicePixelRatioF();
    const QSizeF size = text.text.size();
    QPixmap image(std::max(1, static_cast<int>(std::ceil(size.width() * ratio))),
                  std::max(1, static_cast<int>(std::ceil(size.height() * ratio))));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font());
    painter.setPen(ToQColor(color));
    painter.drawStaticText(0, 0, text.text);
    painter.end();
    return textImages_.emplace(key, std::move(image)).first->second;
}

void GridView::CollectBorders(int column, int row, const QRect& rect) {
    const ResultGrid::CellView cell = grid_->Cell(column, row);
    using S = ResultGrid::Side;
    // Segments continuing the previous one in the same colour are joined, so
    // a bordered row or column costs one line, not one per cell.
    const auto add = [&](S side, QPoint a, QPoint b) {
        const ResultGrid::Pen& pen = cell.border[static_cast<int>(side)];
        if (pen.style == 0) return;
        QVector<QLine>& lines = borderLines_[pen.color];
        for (int back = static_cast<int>(lines.size()) - 1; back >= 0 && back >= lines.size() - 4;
             --back) {
            QLine& line = lines[back];
            if (line.p2() + QPoint(1, 0) == a && a.y() == b.y() && line.y1() == line.y2()) {
                line.setP2(b);
                return;
            }
            if (line.p2() + QPoint(0, 1) == a && a.x() == b.x() && line.x1() == line.x2()) {
                line.setP2(b);
                return;
            }
            if (line == QLine(a, b)) return;
        }
        lines.append(QLine(a, b));
    };
    const int left = std::max(rect.left() - 1, 0);
    const int top = std::max(rect.top() - 1, 0);
    add(S::Left, {left, rect.top()}, {left, rect.bottom()});
    add(S::Right, rect.topRight(), rect.bottomRight());
    add(S::Top, {rect.left(), top}, {rect.right(), top});
    add(S::Bottom, rect.bottomLeft(), rect.bottomRight());
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void GridView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) Refresh();
}
