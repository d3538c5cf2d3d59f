#include "entry/NumberCellDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>

#include "entry/CellPicture.h"

namespace {

// A draw's numbers have at most two digits; the editor takes a few more
// characters of any kind, so that a slip such as "100" or "1.5" stays visible
// and is refused with a message rather than cut short or dropped.
constexpr int kMaxLength = 5;

// Pale yellow differs from the white and light cyan of the columns, and the
// columns' black, blue and red texts read well on it.
const QColor kCurrentBack(255, 255, 150);
const QColor kCurrentFrame(0, 0, 160);

bool IsCurrent(const QStyleOptionViewItem& option, const QModelIndex& index) {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    return view && index.isValid() && view->currentIndex() == index;
}

}  // namespace

void NumberCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // A cell of no colour of its own shows the grid's base colour, which
    // lies beneath it anyway: the cell then covers its rectangle.
    if (option->backgroundBrush.style() == Qt::NoBrush) {
        option->backgroundBrush = option->palette.brush(QPalette::Base);
    }
    if (!IsCurrent(*option, index)) return;
    option->state &= ~QStyle::State_Selected;
    option->backgroundBrush = kCurrentBack;
}

void NumberCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    DrawItemViewCell(*painter, cell, cell.widget ? *cell.widget->style() : *QApplication::style());
    if (!IsCurrent(option, index)) return;
    painter->save();
    painter->setPen(QPen(kCurrentFrame, 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

QWidget* NumberCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName("numberEditor");
    editor->setAlignment(Qt::AlignCenter);
    editor->setFrame(false);
    editor->setMaxLength(kMaxLength);
    return editor;
}
