#pragma once

#include <QStyledItemDelegate>

// Edits a number cell: a centred one-line editor that takes digits only
// (plain or full-width), so no decimal point or sign can be typed.
class NumberCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
