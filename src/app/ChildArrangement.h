#pragma once

#include <QSize>
#include <Qt>

class QMdiArea;
class QMdiSubWindow;
class QRect;

// The window menu's arrangement of the child windows of a frame.

// Tiles the shown child windows into a grid whose cells keep each window's
// title bar and a readable part of its content (Qt::Vertical: one above the
// other; Qt::Horizontal: side by side).
void TileChildWindows(QMdiArea& area, Qt::Orientation orientation);

// Stacks the child windows from the top-left corner, each at its own size
// (as it opened, also after a tiling), a title bar lower and to the right of
// the one behind it; the active one comes last, on top.  The offset starts
// again from the corner before a title bar would leave the area.
void CascadeChildWindows(QMdiArea& area);

// Lines the minimised child windows up along the bottom of the frame.
void ArrangeChildIcons(QMdiArea& area);

// A child window's own size (in twips, as it opened), shortened to the
// area's height when it is taller.
QSize OwnSize(const QMdiSubWindow* child, const QRect& area);
