#include "grid/PrintLayout.h"

#include <algorithm>
#include <utility>

namespace {

struct Band {
    int first, last;
};

// Splits items from..count (edges from 0, as a geometry's) into bands that
// each fit in room, whole items only and at least one per band.  No band
// (but one empty) when there is nothing from `from` on.
std::vector<Band> Bands(const std::vector<int>& edges, int from, double room) {
    const int count = static_cast<int>(edges.size()) - 1;
    std::vector<Band> bands;
    for (int first = from; first <= count;) {
        int last = first;
        while (last < count && edges[last + 1] - edges[first - 1] <= room) ++last;
        bands.push_back({first, last});
        first = last + 1;
    }
    if (bands.empty()) bands.push_back({from, from - 1});
    return bands;
}

double Width(const PrintLayout::Item& item) { return item.columnEdges.back(); }
double Height(const PrintLayout::Item& item) { return item.rowEdges.back(); }
int Columns(const PrintLayout::Item& item) { return static_cast<int>(item.columnEdges.size()) - 1; }
int Rows(const PrintLayout::Item& item) { return static_cast<int>(item.rowEdges.size()) - 1; }

}  // namespace

PrintLayout::PrintLayout(std::vector<Item> items, QSizeF room, double pictureAspect)
    : items_(std::move(items)), split_(items_.size()) {
    double widest = 0;
    for (const Item& item : items_) widest = std::max(widest, Width(item));
    if (widest > room.width() && widest * kSmallestScale <= room.width()) {
        scale_ = room.width() / widest;
    }
    room_ = QSizeF(room.width() / scale_, room.height() / scale_);
    pages_.emplace_back();
    double y = 0;  // how far down the last page is taken
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) PlaceItem(i, y);
    if (pictureAspect > 0) PlacePicture(pictureAspect, y);
}

double PrintLayout::Place(double height, double& y) {
    if (y > 0 && y + kItemGap + height > room_.height()) {
        pages_.emplace_back();
        y = 0;
    }
    if (y > 0) y += kItemGap;
    const double top = y;
    y += height;
    return top;
}

void PrintLayout::PlaceItem(int index, double& y) {
    const Item& item = items_[index];
    if ((Columns(item) == 0 || Rows(item) == 0) && item.labelHeight <= 0) return;
    const bool whole =
        Width(item) <= room_.width() && item.labelHeight + Height(item) <= room_.height();
    const double bodyHeight = room_.height() - item.labelHeight;
    int repeatedRows = std::clamp(item.frozenRows, 0, Rows(item));
    if (whole || item.rowEdges[repeatedRows] > bodyHeight / 2) repeatedRows = 0;
    int repeatedColumns = std::clamp(item.frozenColumns, 0, Columns(item));
    if (whole || item.columnEdges[repeatedColumns] > room_.width() / 2) repeatedColumns = 0;
    const double frozenWidth = item.columnEdges[repeatedColumns];
    const double frozenHeight = item.rowEdges[repeatedRows];
    const std::vector<Band> across =
        Bands(item.columnEdges, repeatedColumns + 1, room_.width() - frozenWidth);
    const std::vector<Band> down =
        Bands(item.rowEdges, repeatedRows + 1, bodyHeight - frozenHeight);
    split_[index] = {static_cast<int>(across.size()), static_cast<int>(down.size())};

    for (const Band& rows : down) {
        for (const Band& columns : across) {
            const double height = item.labelHeight + frozenHeight +
                                  (item.rowEdges[rows.last] - item.rowEdges[rows.first - 1]);
            const double labelTop = Place(height, y);
            const double top = labelTop + item.labelHeight;
            Page& page = pages_.back();
            if (item.labelHeight > 0) page.labels.push_back({index, QPointF(0, labelTop)});
            const auto add = [&](CellBlock cells, QPointF at) {
                if (!cells.Empty()) page.blocks.push_back({index, cells, at});
            };
            add({1, 1, repeatedColumns, repeatedRows}, QPointF(0, top));
            add({columns.first, 1, columns.last, repeatedRows}, QPointF(frozenWidth, top));
            add({1, rows.first, repeatedColumns, rows.last}, QPointF(0, top + frozenHeight));
            add({columns.first, rows.first, columns.last, rows.last},
                QPointF(frozenWidth, top + frozenHeight));
        }
    }
}

void PrintLayout::PlacePicture(double aspect, double& y) {
    QSizeF size(room_.width(), room_.width() * aspect);
    if (size.height() > room_.height()) size = QSizeF(room_.height() / aspect, room_.height());
    const double top = Place(size.height(), y);
    pages_.back().picture = QRectF(QPointF(0, top), size);
}
