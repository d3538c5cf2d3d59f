#pragma once

#include <QTableView>

// The entry window's grid.  Keys never move the current cell to another draw
// behind the user's back: there is no keyboard search, and a printable key
// typed on an editable current cell always opens that cell's editor with the
// key as its first character.  Tab on the last cell stays there.
class EntryGrid : public QTableView {
  public:
    using QTableView::QTableView;

    void keyboardSearch(const QString&) override {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};
