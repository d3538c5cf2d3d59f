#include "entry/GridLineStyle.h"

#include <QApplication>

GridLineStyle::GridLineStyle(QColor color)
    : QProxyStyle(QApplication::style()->name()), color_(color.rgba()) {}

int GridLineStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_Table_GridLineColor) return static_cast<int>(color_);
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
