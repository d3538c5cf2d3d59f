#include "app/FrameLayout.h"

#include <algorithm>

namespace {

struct Grid {
    int lines = 1;  // rows for Qt::Vertical, columns for Qt::Horizontal
    int across = 1;
};

// The grid for count windows: `across` grows from 1 while the other way
// keeps at least as many lines, until the cells are large enough.
Grid ChooseGrid(int count, QSize area, Qt::Orientation orientation, QSize minimum) {
    const bool rows = orientation == Qt::Vertical;
    const int alongRoom = rows ? area.height() : area.width();
    const int acrossRoom = rows ? area.width() : area.height();
    const int alongMin = rows ? minimum.height() : minimum.width();
    const int acrossMin = rows ? minimum.width() : minimum.height();
    Grid best;
    best.lines = count;
    for (int across = 1; across <= count; ++across) {
        const int lines = (count + across - 1) / across;
        if (lines < across) break;
        best = {lines, across};
        if (alongRoom / lines >= alongMin && acrossRoom / across >= acrossMin) break;
    }
    return best;
}

}  // namespace

std::vector<QRect> TileCells(int count, const QRect& area, Qt::Orientation orientation,
                             QSize minimum) {
    std::vector<QRect> cells;
    if (count <= 0) return cells;
    const Grid grid = ChooseGrid(count, area.size(), orientation, minimum);
    const bool rows = orientation == Qt::Vertical;
    const int rowCount = rows ? grid.lines : grid.across;
    const int columnCount = rows ? grid.across : grid.lines;
    const int w = std::max(minimum.width(), area.width() / columnCount);
    const int h = std::max(minimum.height(), area.height() / rowCount);
    for (int i = 0; i < count; ++i) {
        // Windows fill a row at a time for side by side, a column at a time
        // for one above the other.
        const int row = rows ? i % rowCount : i / columnCount;
        const int column = rows ? i / rowCount : i % columnCount;
        cells.emplace_back(area.x() + column * w, area.y() + row * h, w, h);
    }
    return cells;
}

QRect FitMainWindow(const QRect& available, QSize wanted, const QMargins& frame) {
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    const QSize client = wanted.boundedTo(room).expandedTo(QSize(1, 1));
    const QSize outer(client.width() + frame.left() + frame.right(),
                      client.height() + frame.top() + frame.bottom());
    const QPoint corner(available.x() + (available.width() - outer.width()) / 2,
                        available.y() + (available.height() - outer.height()) / 2);
    return QRect(corner + QPoint(frame.left(), frame.top()), client);
}
