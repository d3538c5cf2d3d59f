#pragma once

#include <QTableView>

// The entry window's grid.  Keys never move the current cell to another draw
// behind the user's back: there is no keyboard search, and a printable key
// typed on an editable current cell always opens that cell's editor with the
// key as its first character.  Tab on the last cell stays there.  A move by
// key selects the cell moved to, with Ctrl held too (Ctrl+Home, Ctrl+End), so
// that no old cell stays highlighted and the commands work on the new one.
class EntryGrid : public QTableView {
  public:
    using QTableView::QTableView;

    void keyboardSearch(const QString&) override {}
    // Commits the value of a cell still being edited and closes its editor,
    // as Enter would; false when no cell was being edited.
    bool CommitPendingEdit();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};
