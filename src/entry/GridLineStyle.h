#pragma once

#include <QColor>

#include "grid/ProgramStyle.h"

// The program's style with the grid lines of a table view in one colour.  A
// style sheet could say the same, but it sends every cell and header of the
// table through the style-sheet engine on every paint; this changes nothing
// else.
class GridLineStyle : public ProgramStyle {
  public:
    explicit GridLineStyle(QColor color);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

  private:
    QRgb color_;
};
