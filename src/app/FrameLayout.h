#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <vector>

// Cells of a tiling of count windows over area: a grid of rows and columns
// that keeps the orientation asked for (Qt::Vertical, windows one above the
// other: at least as many rows as columns; Qt::Horizontal, side by side: at
// least as many columns as rows), with the fewest cross lines that still
// give every cell the minimum size.  When even the squarest grid cannot,
// the cells keep the minimum size and reach past the area (it scrolls).
std::vector<QRect> TileCells(int count, const QRect& area, Qt::Orientation orientation,
                             QSize minimum);

// The main window's place on a screen whose available geometry is
// available: its wanted client size, shrunk so that the window with its
// frame fits, centred.  Returns the client geometry.
QRect FitMainWindow(const QRect& available, QSize wanted, const QMargins& frame);
