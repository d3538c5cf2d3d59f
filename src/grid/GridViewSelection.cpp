#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "grid/GridAccessible.h"
#include "grid/GridCopy.h"
#include "grid/GridView.h"

// The view's current cell, its selected block and the copy of it: the
// mouse and the keys that move and extend them, and how they are painted.

bool GridView::MoveCurrentByKey(const QKeyEvent& event) {
    QPoint step;
    switch (event.key()) {
        case Qt::Key_Up:
            step = {0, -1};
            break;
        case Qt::Key_Down:
            step = {0, 1};
            break;
        case Qt::Key_Left:
            step = {-1, 0};
            break;
        case Qt::Key_Right:
            step = {1, 0};
            break;
        default:
            return false;
    }
    const bool extend = event.modifiers() & Qt::ShiftModifier;
    QPoint current = CurrentCell();
    if (current == QPoint(0, 0)) {
        if (!extend) return false;
        SetCurrentCell(NearestCell({FrozenWidth(), FrozenHeight()}));
        return true;
    }
    SetCurrentCell(current + step, extend);
    return true;
}

// Ctrl+C and Ctrl+A are the grid's own while it has the focus, ahead of
// any window's shortcut on the same keys.
bool GridView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && grid_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key == QKeySequence::Copy || key == QKeySequence::SelectAll) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

// A click makes its cell current (Shift: extends the block to it); dragging
// extends the block, scrolling when the mouse leaves the view.  A right
// click outside the block selects its cell before the menu opens.
void GridView::mousePressEvent(QMouseEvent* event) {
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell == QPoint(0, 0)) return;
    if (event->button() == Qt::LeftButton) {
        SetCurrentCell(cell, event->modifiers() & Qt::ShiftModifier);
        dragging_ = true;
    } else if (event->button() == Qt::RightButton &&
               !selection_->isSelected(model_->IndexOf(cell.x(), cell.y()))) {
        SetCurrentCell(cell);
    }
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint point = event->position().toPoint();
    const QRect area = viewport()->rect();
    if (point.x() > area.right())
        horizontalScrollBar()->triggerAction(QScrollBar::SliderSingleStepAdd);
    if (point.x() < 0) horizontalScrollBar()->triggerAction(QScrollBar::SliderSingleStepSub);
    if (point.y() > area.bottom())
        verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepAdd);
    if (point.y() < 0) verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepSub);
    SetCurrentCell(NearestCell(point), true);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

QPoint GridView::NearestCell(QPoint point) const {
    const QRect area = viewport()->rect();
    const QPoint inside(
        std::clamp(point.x(), 0, std::max(0, std::min(area.right(), geometry_.Width() - 1))),
        std::clamp(point.y(), 0, std::max(0, std::min(area.bottom(), geometry_.Height() - 1))));
    return CellAt(inside);
}

QPoint GridView::CurrentCell() const {
    const QModelIndex current = selection_->currentIndex();
    return current.isValid() ? GridModel::CellOf(current) : QPoint(0, 0);
}

CellBlock GridView::SelectedBlock() const {
    const QItemSelection selected = selection_->selection();
    if (selected.isEmpty()) return {};
    const QItemSelectionRange& range = selected.first();
    return {range.left() + 1, range.top() + 1, range.right() + 1, range.bottom() + 1};
}

void GridView::SetCurrentCell(QPoint cell, bool extend) {
    if (!grid_ || grid_->ColumnCount() == 0 || grid_->RowCount() == 0) return;
    cell = {std::clamp(cell.x(), 1, grid_->ColumnCount()),
            std::clamp(cell.y(), 1, grid_->RowCount())};
    if (!extend || anchor_ == QPoint(0, 0)) anchor_ = cell;
    const QModelIndex topLeft =
        model_->IndexOf(std::min(anchor_.x(), cell.x()), std::min(anchor_.y(), cell.y()));
    const QModelIndex bottomRight =
        model_->IndexOf(std::max(anchor_.x(), cell.x()), std::max(anchor_.y(), cell.y()));
    selection_->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
    selection_->setCurrentIndex(model_->IndexOf(cell.x(), cell.y()), QItemSelectionModel::NoUpdate);
    ScrollToCell(cell);
}

void GridView::SelectAll() {
    if (!grid_ || grid_->ColumnCount() == 0 || grid_->RowCount() == 0) return;
    const QPoint current = CurrentCell();
    anchor_ = {1, 1};
    selection_->select(QItemSelection(model_->IndexOf(1, 1),
                                      model_->IndexOf(grid_->ColumnCount(), grid_->RowCount())),
                       QItemSelectionModel::ClearAndSelect);
    if (current == QPoint(0, 0)) {
        selection_->setCurrentIndex(model_->IndexOf(1, 1), QItemSelectionModel::NoUpdate);
    }
}

void GridView::ClearSelection() {
    anchor_ = {};
    selection_->clear();
}

void GridView::CopySelection() const {
    const CellBlock block = SelectedBlock();
    if (block.Empty()) return;
    QApplication::clipboard()->setMimeData(CopiedCellsData(*model_, block));
}

// Scrolls the least that shows the whole cell beside the frozen panes (a
// cell wider or taller than the room left shows its start).
void GridView::ScrollToCell(QPoint cell) {
    const QRect rect = geometry_.CellRect(cell.x(), cell.y());
    const QSize area = viewport()->size();
    const auto scroll = [](QScrollBar* bar, int start, int end, int frozenEnd, int room) {
        const int value = bar->value();
        if (end - value > room) bar->setValue(end - room);
        if (start - value < frozenEnd) bar->setValue(start - frozenEnd);
    };
    if (cell.x() > model_->FrozenColumns()) {
        scroll(horizontalScrollBar(), rect.left(), rect.left() + rect.width(), FrozenWidth(),
               area.width());
    }
    if (cell.y() > model_->FrozenRows()) {
        scroll(verticalScrollBar(), rect.top(), rect.top() + rect.height(), FrozenHeight(),
               area.height());
    }
}

// The selected cells of the pane under a veil of the highlight colour, the
// current cell framed in it.
void GridView::PaintSelection(QPainter& p, const CellBlock& pane, const QRect& clip,
                              QPoint shift) const {
    const CellBlock selected = SelectedBlock();
    const CellBlock shown{std::max(pane.firstColumn, selected.firstColumn),
                          std::max(pane.firstRow, selected.firstRow),
                          std::min(pane.lastColumn, selected.lastColumn),
                          std::min(pane.lastRow, selected.lastRow)};
    const QPoint current = CurrentCell();
    const bool currentInPane = current.x() >= pane.firstColumn && current.x() <= pane.lastColumn &&
                               current.y() >= pane.firstRow && current.y() <= pane.lastRow;
    if (shown.Empty() && !currentInPane) return;
    p.save();
    p.setClipRect(clip);
    QColor veil = palette().color(QPalette::Highlight);
    if (!shown.Empty()) {
        veil.setAlpha(70);
        p.fillRect(geometry_.BlockRect(shown).translated(-shift), veil);
    }
    if (currentInPane) {
        veil.setAlpha(255);
        p.setPen(QPen(veil, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(
            geometry_.CellRect(current.x(), current.y()).translated(-shift).adjusted(1, 1, -1, -1));
    }
    p.restore();
}

void GridView::NotifyCurrentChanged() {
    viewport()->update();
    NotifyAccessibleCurrentCell(this);
}
