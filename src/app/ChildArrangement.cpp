#include "app/ChildArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <vector>

#include "app/FrameLayout.h"

namespace {

// A tiled window keeps at least this much: its title bar and a few rows of
// its grid.
constexpr int kTileMinimumWidth = 200;
constexpr int kTileMinimumHeight = 120;
constexpr int kReadableHeight = 96;

}  // namespace

void TileChildWindows(QMdiArea& area, Qt::Orientation orientation) {
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* child : area.subWindowList()) {
        if (child->isVisible() && !child->isMinimized()) shown << child;
    }
    if (shown.isEmpty()) return;
    const int titleBar = shown.front()->contentsMargins().top();
    const QSize minimum(kTileMinimumWidth,
                        std::max(kTileMinimumHeight, titleBar + kReadableHeight));
    const std::vector<QRect> cells =
        TileCells(static_cast<int>(shown.size()), area.viewport()->rect(), orientation, minimum);
    for (int i = 0; i < shown.size(); ++i) {
        if (shown[i]->isMaximized()) shown[i]->showNormal();
        shown[i]->setGeometry(cells[static_cast<std::size_t>(i)]);
    }
}

void CascadeChildWindows(QMdiArea& area) {
    QMdiSubWindow* active = area.activeSubWindow();
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* child : area.subWindowList(QMdiArea::StackingOrder)) {
        if (child->isVisible() && !child->isMinimized() && child != active) shown << child;
    }
    if (active && active->isVisible() && !active->isMinimized()) shown << active;
    if (shown.isEmpty()) return;
    const QRect rect = area.viewport()->rect();
    const int step = std::max(1, shown.front()->contentsMargins().top());
    int offset = 0;
    for (QMdiSubWindow* child : shown) {
        if (child->isMaximized()) child->showNormal();
        child->resize(OwnSize(child, rect));
        if (offset > 0 && (offset + step > rect.height() || offset + step > rect.width())) {
            offset = 0;
        }
        child->move(offset, offset);
        child->raise();
        offset += step;
    }
    if (active) area.setActiveSubWindow(active);
}

void ArrangeChildIcons(QMdiArea& area) {
    const QRect rect = area.viewport()->rect();
    int x = 0;
    int y = rect.bottom();
    for (QMdiSubWindow* child : area.subWindowList()) {
        if (!child->isMinimized()) continue;
        const QSize size = child->size();
        if (x > 0 && x + size.width() > rect.width()) {
            x = 0;
            y -= size.height();
        }
        child->move(x, y - size.height() + 1);
        x += size.width();
    }
}

QSize OwnSize(const QMdiSubWindow* child, const QRect& area) {
    const QSize own = child->sizeHint();
    return {own.width(), std::min(own.height(), area.height())};
}
