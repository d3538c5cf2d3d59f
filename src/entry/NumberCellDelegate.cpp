#include "entry/NumberCellDelegate.h"

#include <QLineEdit>

namespace {
// A draw's numbers have at most two digits; the editor takes a few more
// characters of any kind, so that a slip such as "100" or "1.5" stays visible
// and is refused with a message rather than cut short or dropped.
constexpr int kMaxLength = 5;
}  // namespace

QWidget* NumberCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName("numberEditor");
    editor->setAlignment(Qt::AlignCenter);
    editor->setFrame(false);
    editor->setMaxLength(kMaxLength);
    return editor;
}
