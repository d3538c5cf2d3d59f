#include "entry/GridLineStyle.h"

#include <QApplication>

GridLineStyle::GridLineStyle(QColor color)
    : ProgramStyle(BaseStyleName(*QApplication::style())), color_(color.rgba()) {}

int GridLineStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_Table_GridLineColor) return static_cast<int>(color_);
    return ProgramStyle::styleHint(hint, option, widget, returnData);
}
