#include "entry/EntryGrid.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool TypesText(const QKeyEvent* event) {
    constexpr Qt::KeyboardModifiers commands =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString text = event->text();
    return !text.isEmpty() && text.front().isPrint() && !(event->modifiers() & commands);
}

}  // namespace

void EntryGrid::keyPressEvent(QKeyEvent* event) {
    const QModelIndex cell = currentIndex();
    if (state() != EditingState && TypesText(event) && (cell.flags() & Qt::ItemIsEditable)) {
        // Qt opens no editor while it waits to tell a click on a selected
        // cell from a double click; the double-click trigger ends that wait.
        if (edit(cell, DoubleClicked, nullptr)) {
            if (QWidget* editor = indexWidget(cell)) QCoreApplication::sendEvent(editor, event);
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
    // Tab on the last cell keeps the focus in the grid as well.
    if (event->key() == Qt::Key_Tab && cell.isValid() && currentIndex() == cell) event->accept();
}

// Tab past the last cell would wrap to the first draw; it stays instead.
QModelIndex EntryGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (action == MoveNext && current.isValid() && next.row() < current.row()) return current;
    return next;
}

bool EntryGrid::CommitPendingEdit() {
    if (state() != EditingState) return false;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

// Qt keeps the selection when a key moves the cursor with Ctrl held; here
// the moved-to cell becomes the selection, as without Ctrl.  Shift still
// extends the selection.
QItemSelectionModel::SelectionFlags EntryGrid::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const {
    if (event && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if ((key->modifiers() & Qt::ControlModifier) && !(key->modifiers() & Qt::ShiftModifier)) {
            return QItemSelectionModel::ClearAndSelect;
        }
    }
    return QTableView::selectionCommand(index, event);
}
