#pragma once

#include <QStyledItemDelegate>

// Draws and edits the entry grid's cells.  The current cell stands out with
// a background and a frame of its own, whether selected or not, and keeps
// its column's text colour.  The editor is a centred one-line editor that
// takes whatever is typed; the model refuses, with a message, what is not a
// number it stores.
class NumberCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
