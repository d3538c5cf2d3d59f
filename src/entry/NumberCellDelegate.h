#pragma once

#include <QStyledItemDelegate>

// Edits a number cell: a centred one-line editor that takes whatever is
// typed; the model refuses, with a message, what is not a number it stores.
class NumberCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
