#include "entry/NumberCellDelegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
// A draw's numbers have at most two digits; one more lets a slip such as
// "100" be typed and then refused with a message rather than cut short.
constexpr int kMaxDigits = 3;
}  // namespace

QWidget* NumberCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName("numberEditor");
    editor->setAlignment(Qt::AlignCenter);
    editor->setFrame(false);
    editor->setMaxLength(kMaxDigits);
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9０-９]{0,%1}").arg(kMaxDigits)), editor));
    return editor;
}
