#include "grid/GridAccessible.h"

#include <QAccessibleWidget>
#include <QItemSelectionModel>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <unordered_map>

#include "grid/GridView.h"

namespace {

class GridTableAccessible;

// One cell; row and column count from 0, as the table interface does.
// A cell reads as its text without the spaces that centre it (a heading
// cell inside a band as the band's text), describes what its colour means,
// and offers its text through the text interface too, as a reader moving
// through the cell's characters asks for it.
class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleTextInterface {
  public:
    GridCellAccessible(GridView* view, int row, int column)
        : view_(view), row_(row), column_(column) {}

    bool isValid() const override {
        return view_ && row_ < view_->Model()->rowCount() &&
               column_ < view_->Model()->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        switch (t) {
            case QAccessible::Name:
                return CellText();
            case QAccessible::Description:
                return Index().data(Qt::AccessibleDescriptionRole).toString();
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect inView = view_->CellRectInViewport(column_ + 1, row_ + 1);
        return QRect(view_->viewport()->mapToGlobal(inView.topLeft()), inView.size());
    }
    QAccessible::Role role() const override {
        if (row_ < view_->Model()->FrozenRows()) return QAccessible::ColumnHeader;
        if (column_ < view_->Model()->FrozenColumns()) return QAccessible::RowHeader;
        return QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.readOnly = true;
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = view_->hasFocus() && view_->CurrentCell() == QPoint(column_ + 1, row_ + 1);
        state.invisible =
            !view_->viewport()->rect().intersects(view_->CellRectInViewport(column_ + 1, row_ + 1));
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return nullptr;
    }

    // The text interface, read-only: no selection, the caret at the start.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString whole = CellText();
        if (endOffset < 0 || endOffset > whole.size()) endOffset = whole.size();
        startOffset = std::clamp(startOffset, 0, static_cast<int>(endOffset));
        return whole.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(CellText().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    bool isSelected() const override {
        return isValid() && view_->SelectionModel()->isSelected(Index());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QModelIndex Index() const { return view_->Model()->index(row_, column_); }
    bool IsHeading() const {
        return row_ < view_->Model()->FrozenRows() || column_ < view_->Model()->FrozenColumns();
    }
    QString CellText() const {
        if (!isValid()) return {};
        if (IsHeading()) return view_->Model()->HeadingText(column_ + 1, row_ + 1);
        return Index().data(Qt::DisplayRole).toString().trimmed();
    }

    QPointer<GridView> view_;
    int row_;
    int column_;
};

// The view as a table whose children are its cells, row by row.  Cell
// interfaces are made when asked for and kept until the grid changes size.
class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit GridTableAccessible(GridView* view) : QAccessibleWidget(view, QAccessible::Table) {
        resetConnection_ = QObject::connect(view->Model(), &QAbstractItemModel::modelReset,
                                            [this] { ForgetCells(); });
    }
    ~GridTableAccessible() override {
        QObject::disconnect(resetConnection_);
        ForgetCells();
    }

    GridView* View() const { return static_cast<GridView*>(widget()); }
    GridModel* Model() const { return View()->Model(); }

    // 「出現頻度分析 表」: the window the grid is in, then the grid.
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !View()->accessibleName().isEmpty()) {
            return QAccessibleWidget::text(t);
        }
        QString window;
        for (const QWidget* w = View()->parentWidget(); w && window.isEmpty();
             w = w->parentWidget()) {
            window = w->windowTitle();
        }
        QString grid = View()->GridName();
        while (grid.startsWith(QChar(u'●')) || grid.startsWith(QChar(u'■'))) grid.remove(0, 1);
        if (grid.isEmpty()) grid = QStringLiteral("表");
        return window.isEmpty() ? grid : window + QLatin1Char(' ') + grid;
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return cellAt(index / columnCount(), index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const QAccessibleTableCellInterface* cell =
            const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (!cell) return -1;
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint cell = View()->CellAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
        return cell == QPoint(0, 0) ? nullptr : cellAt(cell.y() - 1, cell.x() - 1);
    }
    QAccessibleInterface* focusChild() const override {
        const QPoint current = View()->CurrentCell();
        return current == QPoint(0, 0) ? nullptr : cellAt(current.y() - 1, current.x() - 1);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
        const long long key = static_cast<long long>(row) * columnCount() + column;
        if (const auto found = cells_.find(key); found != cells_.end()) {
            return QAccessible::accessibleInterface(found->second);
        }
        auto* cell = new GridCellAccessible(View(), row, column);
        cells_.emplace(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override {
        const CellBlock block = View()->SelectedBlock();
        return block.Empty() ? 0
                             : (block.lastColumn - block.firstColumn + 1) *
                                   (block.lastRow - block.firstRow + 1);
    }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        const CellBlock block = View()->SelectedBlock();
        for (int row = block.firstRow; row <= block.lastRow; ++row) {
            for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
                cells << cellAt(row - 1, column - 1);
            }
        }
        return cells;
    }
    QString columnDescription(int column) const override {
        return Model()->headerData(column, Qt::Horizontal).toString();
    }
    QString rowDescription(int row) const override {
        return Model()->headerData(row, Qt::Vertical).toString();
    }
    int selectedColumnCount() const override { return selectedColumns().size(); }
    int selectedRowCount() const override { return selectedRows().size(); }
    int columnCount() const override { return Model()->columnCount(); }
    int rowCount() const override { return Model()->rowCount(); }
    QList<int> selectedColumns() const override {
        QList<int> columns;
        const CellBlock block = View()->SelectedBlock();
        if (block.Empty() || block.firstRow != 1 || block.lastRow != rowCount()) return columns;
        for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
            columns << column - 1;
        }
        return columns;
    }
    QList<int> selectedRows() const override {
        QList<int> rows;
        const CellBlock block = View()->SelectedBlock();
        if (block.Empty() || block.firstColumn != 1 || block.lastColumn != columnCount()) {
            return rows;
        }
        for (int row = block.firstRow; row <= block.lastRow; ++row) rows << row - 1;
        return rows;
    }
    bool isColumnSelected(int column) const override { return selectedColumns().contains(column); }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    // The selection is the user's: one block, made with the mouse or keys.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override {
        if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset) {
            ForgetCells();
        }
    }

  private:
    void ForgetCells() {
        for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
    }

    mutable std::unordered_map<long long, QAccessible::Id> cells_;
    QMetaObject::Connection resetConnection_;
};

// A column's headers are its cells in the frozen rows that read as a text,
// nearest first; a row's, its cells in the frozen columns.  A heading cell is
// headed by the same cells, itself among them: a reader asks the first row's
// cell of a column for the column's header.
QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    if (!isValid()) return headers;
    const QAccessibleTableInterface* table = parent()->tableInterface();
    for (int row = view_->Model()->FrozenRows() - 1; row >= 0; --row) {
        if (!view_->Model()->HeadingText(column_ + 1, row + 1).isEmpty()) {
            headers << table->cellAt(row, column_);
        }
    }
    return headers;
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    if (!isValid()) return headers;
    const QAccessibleTableInterface* table = parent()->tableInterface();
    for (int column = view_->Model()->FrozenColumns() - 1; column >= 0; --column) {
        if (!view_->Model()->HeadingText(column + 1, row_ + 1).isEmpty()) {
            headers << table->cellAt(row_, column);
        }
    }
    return headers;
}

QAccessibleInterface* MakeGridAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("GridView") && object && object->isWidgetType()) {
        return new GridTableAccessible(static_cast<GridView*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeGridAccessible);
        return true;
    }();
    (void)installed;
}

void NotifyAccessibleCurrentCell(GridView* view) {
    if (!QAccessible::isActive() || !view->hasFocus()) return;
    const QPoint current = view->CurrentCell();
    if (current == QPoint(0, 0)) return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild((current.y() - 1) * view->Model()->columnCount() + current.x() - 1);
    QAccessible::updateAccessibility(&event);
}

void NotifyAccessibleSelection(GridView* view) {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(view, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}
