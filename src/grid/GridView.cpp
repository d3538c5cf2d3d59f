#include "grid/GridView.h"

#include <QAction>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "grid/GridAccessible.h"

namespace {

// The scroll value that brings the next (step 1) or previous (step -1) row
// or column to the edge of the frozen ones, or that edge to the start of
// the partly hidden one there.  edges are the items' edges, frozen the
// count of frozen items, value the scroll value.
int StepOneItem(const std::vector<int>& edges, int frozen, int value, int step) {
    const int count = static_cast<int>(edges.size()) - 1;
    if (frozen >= count) return value;
    const int start = edges[frozen];
    const int first = GridGeometry::FirstEndingAfter(edges, start + value, frozen, count - 1);
    if (step > 0) return edges[first + 1] - start;
    if (edges[first] < start + value) return edges[first] - start;
    return edges[std::max(frozen, first - 1)] - start;
}

}  // namespace

GridView::GridView(QWidget* parent)
    : QAbstractScrollArea(parent),
      model_(new GridModel(this)),
      selection_(new QItemSelectionModel(model_, this)) {
    InstallGridAccessibility();
    setFrameShape(QFrame::Box);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    copyAction_ = new QAction(QStringLiteral("コピー(&C)"), this);
    copyAction_->setShortcut(QKeySequence::Copy);
    copyAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(copyAction_, &QAction::triggered, this, &GridView::CopySelection);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addActions({copyAction_, separator});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(selection_, &QItemSelectionModel::selectionChanged, this, [this] {
        viewport()->update();
        NotifyAccessibleSelection(this);
    });
    connect(selection_, &QItemSelectionModel::currentChanged, this,
            &GridView::NotifyCurrentChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { anchor_ = {}; });
    Relayout();
}

void GridView::SetGrid(const ResultGrid* grid) {
    grid_ = grid;
    model_->SetGrid(grid);
    Redraw();
}

void GridView::Refresh() {
    model_->Reread();
    Redraw();
}

void GridView::Redraw() {
    Relayout();
    updateGeometry();
    viewport()->update();
}

QSize GridView::PresentRoom(bool height) const {
    QSize room = contentsRect().size();
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        room.rwidth() -= verticalScrollBar()->sizeHint().width();
    }
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
        room.rheight() -= horizontalScrollBar()->sizeHint().height();
    }
    if (!height) room.setHeight(0);
    return room;
}

void GridView::FitToPresentSize(bool height) {
    const QSize room = PresentRoom(height);
    if (room == room_) return;
    if (geometry_.SameForRoom(room)) {
        room_ = room;
        return;
    }
    room_ = room;
    Redraw();
}

void GridView::SetGridFitted(const ResultGrid* grid, bool height) {
    grid_ = grid;
    model_->SetGrid(grid);
    // The room depends on which scroll bars the grid may show.
    ApplyScrollBarPolicies();
    room_ = PresentRoom(height);
    Redraw();
}

void GridView::Relayout() {
    geometry_ = grid_ ? GridGeometry(*grid_, font(), logicalDpiY(), room_) : GridGeometry();
    renderer_ = grid_ ? GridRenderer(*grid_, geometry_) : GridRenderer();
    ApplyScrollBarPolicies();
    UpdateScrollBars();
}

void GridView::ApplyScrollBarPolicies() {
    if (!grid_) return;
    const bool horizontal = grid_->ScrollBars() & 1;
    const bool vertical = grid_->ScrollBars() & 2;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
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

QPoint GridView::CellAt(QPoint point) const {
    if (!grid_) return {0, 0};
    const bool inFrozenColumns = point.x() < FrozenWidth();
    const bool inFrozenRows = point.y() < FrozenHeight();
    const int x = point.x() + (inFrozenColumns ? 0 : horizontalScrollBar()->value());
    const int y = point.y() + (inFrozenRows ? 0 : verticalScrollBar()->value());
    if (x < 0 || y < 0 || x >= geometry_.Width() || y >= geometry_.Height()) return {0, 0};
    const int column =
        GridGeometry::FirstEndingAfter(geometry_.ColumnEdges(), x, 0, grid_->ColumnCount() - 1) + 1;
    const int row =
        GridGeometry::FirstEndingAfter(geometry_.RowEdges(), y, 0, grid_->RowCount() - 1) + 1;
    return {column, row};
}

// Four panes, each painted through the renderer: the scrolling cells, the
// frozen columns beside them, the frozen rows above them and the corner
// where both meet.
void GridView::paintEvent(QPaintEvent*) {
    if (!grid_ || grid_->ColumnCount() == 0 || grid_->RowCount() == 0) return;
    QPainter p(viewport());
    const int frozenColumns = std::clamp(grid_->FrozenColumns(), 0, grid_->ColumnCount());
    const int frozenRows = std::clamp(grid_->FrozenRows(), 0, grid_->RowCount());
    const int frozenWidth = FrozenWidth();
    const int frozenHeight = FrozenHeight();
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
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
        CellBlock pane;
        pane.firstColumn = area.frozenColumns ? 1 : frozenColumns + 1;
        pane.lastColumn = area.frozenColumns ? frozenColumns : grid_->ColumnCount();
        pane.firstRow = area.frozenRows ? 1 : frozenRows + 1;
        pane.lastRow = area.frozenRows ? frozenRows : grid_->RowCount();
        const QPoint shift(area.frozenColumns ? 0 : scroll.x(), area.frozenRows ? 0 : scroll.y());
        renderer_.Render(p, pane, area.clip.translated(shift), area.clip.topLeft());
        PaintSelection(p, pane, area.clip, shift);
    }
}

// The keys of a spreadsheet.  Without a current cell the arrows scroll by
// a row or a column; with one they move it (Shift: extending the block from
// the anchor), Shift and an arrow first making the top-left scrolling cell in
// view current.  Page Up and Page Down scroll by a screenful, Home and End
// to the first and last columns, with Ctrl also to the first and last rows.
// Frozen rows and columns stay.
void GridView::keyPressEvent(QKeyEvent* event) {
    if (!grid_ || grid_->ColumnCount() == 0 || grid_->RowCount() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Copy) {
        CopySelection();
    } else if (event == QKeySequence::SelectAll) {
        SelectAll();
    } else if (event->key() == Qt::Key_Escape && CurrentCell() != QPoint(0, 0)) {
        ClearSelection();
    } else if (!MoveCurrentByKey(*event) && !ScrollByKey(*event)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool GridView::ScrollByKey(const QKeyEvent& event) {
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    const bool control = event.modifiers() & Qt::ControlModifier;
    const int frozenRows = model_->FrozenRows();
    const int frozenColumns = model_->FrozenColumns();
    switch (event.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            down->setValue(StepOneItem(geometry_.RowEdges(), frozenRows, down->value(),
                                       event.key() == Qt::Key_Down ? 1 : -1));
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            across->setValue(StepOneItem(geometry_.ColumnEdges(), frozenColumns, across->value(),
                                         event.key() == Qt::Key_Right ? 1 : -1));
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
            return false;
    }
    return true;
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void GridView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) Refresh();
}

QPoint GridView::PaneScroll(int column, int row) const {
    return {column <= model_->FrozenColumns() ? 0 : horizontalScrollBar()->value(),
            row <= model_->FrozenRows() ? 0 : verticalScrollBar()->value()};
}

QRect GridView::CellRectInViewport(int column, int row) const {
    if (!grid_ || !grid_->Contains(column, row)) return {};
    return geometry_.CellRect(column, row).translated(-PaneScroll(column, row));
}
