#include "grid/Twips.h"

#include <QWidget>
#include <cmath>

int TwipsToPixels(int twips, const QWidget* reference) {
    const double dpi = reference && reference->logicalDpiX() > 0 ? reference->logicalDpiX() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QSize TwipsToPixelSize(int widthTwips, int heightTwips, const QWidget* reference) {
    return {TwipsToPixels(widthTwips, reference), TwipsToPixels(heightTwips, reference)};
}
