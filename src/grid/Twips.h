#pragma once

class QWidget;

// Window sizes and positions are kept in twips: 1440 to the inch.
int TwipsToPixels(int twips, const QWidget* reference);
