#include "ui/GridGeometry.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>

namespace {

// A text without its trailing blanks (spaces and ideographic spaces), which
// pad titles but show nothing.
QString VisiblePart(const std::string& text) {
    QString s = QString::fromStdString(text);
    qsizetype end = s.size();
    while (end > 0 && (s[end - 1] == QLatin1Char(' ') || s[end - 1] == QChar(0x3000))) --end;
    s.truncate(end);
    return s;
}

}  // namespace

GridGeometry::GridGeometry(const ResultGrid& grid, const QFont& font, double dpi) : grid_(&grid) {
    if (dpi <= 0) dpi = 96.0;
    fonts_.push_back(font);
    const QFontMetricsF metrics(font);
    lineHeight_ = metrics.height();
    const double charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    for (int c = 1; c <= grid.ColumnCount(); ++c) {
        const int w = std::max(
            0, static_cast<int>(std::lround(grid.ColumnWidth(c) * charWidth + 2 * kTextPadding)));
        columnEdges_.push_back(columnEdges_.back() + w);
    }
    for (int r = 1; r <= grid.RowCount(); ++r) {
        const int h = std::max(0, static_cast<int>(std::lround(grid.RowHeight(r) * dpi / 72.0)));
        rowEdges_.push_back(rowEdges_.back() + h);
    }
    MeasureTexts();
}

void GridGeometry::MeasureTexts() {
    widths_.assign(grid_->TextCount(), 0.0f);
    const QFontMetricsF metrics(fonts_.front());
    for (std::uint32_t i = 1; i < grid_->TextCount(); ++i) {
        widths_[i] =
            static_cast<float>(metrics.horizontalAdvance(VisiblePart(grid_->TextByIndex(i))));
    }
}

double GridGeometry::VisibleWidth(std::uint32_t text, int) const { return widths_.at(text); }

// The cell less its padding; an overflowing text that is wider takes in the
// empty cells to its right, one by one, while it needs them.
QRect GridGeometry::TextRoom(int column, int row, double width) const {
    QRect room = CellRect(column, row).adjusted(kTextPadding, 0, -kTextPadding, 0);
    if (!grid_->Cell(column, row).overflow) return room;
    const int last = std::min(ColumnCount(), column + kMaxOverflowColumns);
    for (int c = column + 1; room.width() < width && c <= last && grid_->IsEmpty(c, row); ++c) {
        room.setRight(ColumnLeft(c + 1) - 1 - kTextPadding);
    }
    return room;
}

GridGeometry::TextPlacement GridGeometry::PlaceText(int column, int row) const {
    TextPlacement p;
    const ResultGrid::CellView cell = grid_->Cell(column, row);
    p.width = VisibleWidth(grid_->TextIndex(column, row), p.font);
    p.room = TextRoom(column, row, p.width);
    // Text that cannot fit shows its beginning rather than its middle.
    int x = p.room.left();
    const int width = static_cast<int>(std::ceil(p.width));
    if (width <= p.room.width()) {
        if (cell.halign == ResultGrid::HAlign::Center) x += (p.room.width() - width) / 2;
        if (cell.halign == ResultGrid::HAlign::Right) x = p.room.right() + 1 - width;
    }
    const int height = static_cast<int>(std::ceil(lineHeight_));
    int y = p.room.top() + (p.room.height() - height) / 2;
    if (cell.valign == ResultGrid::VAlign::Top) y = p.room.top();
    if (cell.valign == ResultGrid::VAlign::Bottom) y = p.room.bottom() + 1 - height;
    p.origin = QPoint(x, y);
    return p;
}
