#pragma once

#include <QSize>

class QWidget;

// Window sizes and positions are kept in twips: 1440 to the inch.
int TwipsToPixels(int twips, const QWidget* reference);
// widthTwips × heightTwips in pixels on reference's screen.
QSize TwipsToPixelSize(int widthTwips, int heightTwips, const QWidget* reference);
