#pragma once

#include <QStyleOptionViewItem>

class QPainter;
class QStyle;

// Draws an item view's cell as `style` draws it (CE_ItemViewItem).  A cell
// that covers its whole rectangle with an opaque plain background looks the
// same wherever it stands, so it is drawn once into a picture kept in Qt's
// pixmap cache and copied from there: the style lays out, shapes and
// measures a cell's text each time, which made a screenful of the entry
// grid cost nearly 80,000 instructions a cell.  Any other cell, or a painter
// that scales, fades or sits between pixels, is drawn by the style at once.
void DrawItemViewCell(QPainter& painter, const QStyleOptionViewItem& cell, const QStyle& style);
