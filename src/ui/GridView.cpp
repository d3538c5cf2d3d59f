#include "ui/GridView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "ui/QtColor.h"

namespace {

constexpr QColor kGridLineColor(210, 210, 210);

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

// The scroll value that brings the next (step 1) or previous (step -1) row
// or column to the edge of the frozen ones, or that edge to the start of
// the partly hidden one there.  edges are the items' edges, frozen the
// count of frozen items, value the scroll value.
int StepOneItem(const std::vector<int>& edges, int frozen, int value, int step) {
    const int count = static_cast<int>(edges.size()) - 1;
    if (frozen >= count) return value;
    const int start = edges[frozen];
    const int first = FirstEndingAfter(edges, start + value, frozen, count - 1);
    if (step > 0) return edges[first + 1] - start;
    if (edges[first] < start + value) return edges[first] - start;
    return edges[std::max(frozen, first - 1)] - start;
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

void GridView::FitToPresentSize(bool height) {
    QSize room = contentsRect().size();
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        room.rwidth() -= verticalScrollBar()->sizeHint().width();
    }
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        room.rheight() -= horizontalScrollBar()->sizeHint().height();
    }
    if (!height) room.setHeight(0);
    if (room == room_) return;
    room_ = room;
    Refresh();
}

void GridView::Relayout() {
    geometry_ = grid_ ? GridGeometry(*grid_, font(), logicalDpiY(), room_) : GridGeometry();
    if (grid_) {
        const bool horizontal = grid_->ScrollBars() & 1;
        const bool vertical = grid_->ScrollBars() & 2;
        setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
    UpdateScrollBars();
}

int GridView::FrozenWidth() const {
    if (!grid_) return 0;
    const int frozen = std::clamp(grid_->FrozenColumns(), 0, grid_->ColumnCount());
    return geometry_.ColumnEdges()[frozen];
}

int GridView::FrozenHeight() const {
    if (!grid_) return 0;
    const int frozen = std::clamp(grid_->FrozenRows(), 0, grid_->RowCount());
    return geometry_.RowEdges()[frozen];
}

void GridView::UpdateScrollBars() {
    const QSize area = viewport()->size();
    const std::vector<int>& rowTop = geometry_.RowEdges();
    horizontalScrollBar()->setRange(0, std::max(0, geometry_.Width() - area.width()));
    horizontalScrollBar()->setPageStep(std::max(1, area.width() - FrozenWidth()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, geometry_.Height() - area.height()));
    verticalScrollBar()->setPageStep(std::max(1, area.height() - FrozenHeight()));
    verticalScrollBar()->setSingleStep(std::max(1, rowTop.size() > 2 ? rowTop[2] - rowTop[1] : 16));
}

QSize GridView::sizeHint() const {
    if (!grid_) return {200, 100};
    const int columns = std::clamp(grid_->VisibleColumns(), 0, grid_->ColumnCount());
    const int rows = std::clamp(grid_->VisibleRows(), 0, grid_->RowCount());
    int width = geometry_.ColumnEdges()[columns] + 2 * frameWidth();
    int height = geometry_.RowEdges()[rows] + 2 * frameWidth();
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
    const std::vector<int>& edges = geometry_.ColumnEdges();
    s.first = FirstEndingAfter(edges, from, frozenCount, count - 1) + 1;
    s.last = std::min(count, FirstEndingAfter(edges, to, s.first - 1, count - 1) + 1);
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
    const std::vector<int>& edges = geometry_.RowEdges();
    s.first = FirstEndingAfter(edges, from, frozenCount, count - 1) + 1;
    s.last = std::min(count, FirstEndingAfter(edges, to, s.first - 1, count - 1) + 1);
    return s;
}

QRect GridView::CellRect(int column, int row, const Span& columns, const Span& rows) const {
    return geometry_.CellRect(column, row).translated(-columns.offset, -rows.offset);
}

QPoint GridView::CellAt(QPoint point) const {
    if (!grid_) return {0, 0};
    const bool inFrozenColumns = point.x() < FrozenWidth();
    const bool inFrozenRows = point.y() < FrozenHeight();
    const int x = point.x() + (inFrozenColumns ? 0 : horizontalScrollBar()->value());
    const int y = point.y() + (inFrozenRows ? 0 : verticalScrollBar()->value());
    if (x < 0 || y < 0 || x >= geometry_.Width() || y >= geometry_.Height()) return {0, 0};
    const int column =
        FirstEndingAfter(geometry_.ColumnEdges(), x, 0, grid_->ColumnCount() - 1) + 1;
    const int row = FirstEndingAfter(geometry_.RowEdges(), y, 0, grid_->RowCount() - 1) + 1;
    return {column, row};
}

const QStaticText& GridView::Text(std::uint32_t index, int font) {
    if (texts_.size() != static_cast<std::size_t>(geometry_.FontCount())) {
        texts_.assign(geometry_.FontCount(), {});
    }
    std::vector<QStaticText>& texts = texts_[font];
    if (texts.size() != grid_->TextCount()) texts.resize(grid_->TextCount());
    QStaticText& text = texts[index];
    if (text.text().isEmpty()) {
        text.setText(QString::fromStdString(grid_->TextByIndex(index)));
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), geometry_.Font(font));
    }
    return text;
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
    const int textFrom =
        columns.first >= firstScrolling
            ? std::max(firstScrolling, columns.first - GridGeometry::kMaxOverflowColumns)
            : columns.first;
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = textFrom; c <= columns.last; ++c) {
            if (grid_->TextIndex(c, r) == 0) continue;
            PaintText(p, c, r, columns, rows);
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

void GridView::PaintText(QPainter& p, int column, int row, const Span& columns, const Span& rows) {
    const ResultGrid::CellView cell = grid_->Cell(column, row);
    const GridGeometry::TextPlacement place = geometry_.PlaceText(column, row, cell);
    const QPoint shift(-columns.offset, -rows.offset);
    const QPixmap& image = TextImage(grid_->TextIndex(column, row), place.font, cell.fore);
    const QPoint origin =
        QPoint(place.x, place.baseline - geometry_.BaselineOffset(place.font)) + shift;
    if (place.width <= place.room.width()) {
        p.drawPixmap(origin, image);
        return;
    }
    p.save();
    p.setClipRect(place.room.translated(shift), Qt::IntersectClip);
    p.drawPixmap(origin, image);
    p.restore();
}

const QPixmap& GridView::TextImage(std::uint32_t index, int font, Rgb color) {
    const std::uint64_t key = (static_cast<std::uint64_t>(index) << 32) |
                              (static_cast<std::uint64_t>(font) << 24) | color;
    const auto found = textImages_.find(key);
    if (found != textImages_.end()) return found->second;
    const QStaticText& text = Text(index, font);
    const qreal ratio = devicePixelRatioF();
    const QSizeF size = text.size();
    QPixmap image(std::max(1, static_cast<int>(std::ceil(size.width() * ratio))),
                  std::max(1, static_cast<int>(std::ceil((size.height() + 1) * ratio))));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QFont& drawn = geometry_.Font(font);
    painter.setFont(drawn);
    painter.setPen(ToQColor(color));
    // The baseline on a whole pixel, where the geometry expects it.
    const double ascent = QFontMetricsF(drawn).ascent();
    painter.drawStaticText(QPointF(0, geometry_.BaselineOffset(font) - ascent), text);
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

// The keys of a spreadsheet, which here scroll the view (the grid has no
// current cell to move): the arrows by a row or a column, Page Up and Page
// Down by a screenful, Home and End to the first and last columns, with
// Ctrl also to the first and last rows.  Frozen rows and columns stay.
void GridView::keyPressEvent(QKeyEvent* event) {
    if (!grid_) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const auto frozen = [](int count, int total) { return std::clamp(count, 0, total); };
    const int frozenRows = frozen(grid_->FrozenRows(), grid_->RowCount());
    const int frozenColumns = frozen(grid_->FrozenColumns(), grid_->ColumnCount());
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            down->setValue(StepOneItem(geometry_.RowEdges(), frozenRows, down->value(),
                                       event->key() == Qt::Key_Down ? 1 : -1));
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            across->setValue(StepOneItem(geometry_.ColumnEdges(), frozenColumns, across->value(),
                                         event->key() == Qt::Key_Right ? 1 : -1));
            break;
        case Qt::Key_PageUp:
            down->triggerAction(QAbstractSlider::SliderPageStepSub);
            break;
        case Qt::Key_PageDown:
            down->triggerAction(QAbstractSlider::SliderPageStepAdd);
            break;
        case Qt::Key_Home:
            across->setValue(across->minimum());
            if (control) down->setValue(down->minimum());
            break;
        case Qt::Key_End:
            across->setValue(across->maximum());
            if (control) down->setValue(down->maximum());
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void GridView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) Refresh();
}
