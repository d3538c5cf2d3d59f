#include "grid/GridRenderer.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <cmath>

#include "grid/QtColor.h"
#include "grid/TextMeasures.h"

namespace {

constexpr QColor kGridLineColor(210, 210, 210);

using Side = ResultGrid::Side;

std::uint64_t TextKey(std::uint32_t index, int font, Rgb color = 0) {
    return (static_cast<std::uint64_t>(index) << 32) | (static_cast<std::uint64_t>(font) << 24) |
           color;
}

// A one-pixel line from pixel a to pixel b (both drawn), across or down, in
// the pen's colour.  On pixels the line is the pixels themselves, filled as
// a rectangle one pixel wide, which costs far less than stroking it; as a
// shape it runs through their middles with square ends, so that it covers
// the same pixels at any size.
void DrawLines(QPainter& p, const QList<QLine>& lines, bool vector) {
    if (!vector) {
        const QColor color = p.pen().color();
        for (const QLine& line : lines) {
            p.fillRect(
                QRect(QPoint(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2())),
                      QPoint(std::max(line.x1(), line.x2()), std::max(line.y1(), line.y2()))),
                color);
        }
        return;
    }
    QList<QLineF> shapes;
    shapes.reserve(lines.size());
    for (const QLine& line : lines) shapes.append(QLineF(line).translated(0.5, 0.5));
    p.drawLines(shapes);
}

bool IsWholePixelShift(const QTransform& t) {
    return t.type() <= QTransform::TxTranslate && t.dx() == std::round(t.dx()) &&
           t.dy() == std::round(t.dy());
}

}  // namespace

GridRenderer::GridRenderer(const ResultGrid& grid, const GridGeometry& geometry)
    : grid_(&grid), geometry_(&geometry) {}

void GridRenderer::Render(QPainter& p, const CellBlock& block, const QRect& source, QPointF target,
                          double scale) {
    if (!grid_ || block.Empty() || source.isEmpty()) return;
    const std::vector<int>& columnEdges = geometry_->ColumnEdges();
    const std::vector<int>& rowEdges = geometry_->RowEdges();
    // The cells that reach into source, and the next column and row, whose
    // left and top borders lie on the last pixels of the cells before them.
    Span columns, rows;
    columns.first = GridGeometry::FirstEndingAfter(columnEdges, source.left(),
                                                   block.firstColumn - 1, block.lastColumn - 1) +
                    1;
    columns.last = std::min(
        block.lastColumn, GridGeometry::FirstEndingAfter(columnEdges, source.right() + 1,
                                                         columns.first - 1, block.lastColumn - 1) +
                              1);
    rows.first = GridGeometry::FirstEndingAfter(rowEdges, source.top(), block.firstRow - 1,
                                                block.lastRow - 1) +
                 1;
    rows.last =
        std::min(block.lastRow, GridGeometry::FirstEndingAfter(rowEdges, source.bottom() + 1,
                                                               rows.first - 1, block.lastRow - 1) +
                                    1);

    p.save();
    p.translate(target);
    if (scale != 1.0) p.scale(scale, scale);
    p.translate(-source.topLeft());
    p.setClipRect(source, Qt::IntersectClip);
    const bool pixels = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster &&
                        IsWholePixelShift(p.worldTransform());
    PaintBackgrounds(p, columns, rows, !pixels);
    // A text further left may overflow into the cells shown.
    const int textFrom =
        std::max(block.firstColumn, columns.first - GridGeometry::kMaxOverflowColumns);
    PaintGridLines(p, textFrom, columns, rows, !pixels);
    if (pixels) {
        PaintTextsAsPixels(p, textFrom, columns, rows);
    } else {
        PaintTextsAsGlyphs(p, textFrom, columns, rows);
    }
    PaintBorders(p, columns, rows, !pixels);
    p.restore();
}

// One fill per run of equally coloured cells in a row, and a run that lies
// exactly under one of the row above grows that fill instead.
void GridRenderer::PaintBackgrounds(QPainter& p, const Span& columns, const Span& rows,
                                    bool vector) const {
    struct Run {
        int first, last;  // columns
        Rgb back;
        int firstRow;
    };
    std::vector<Run> open, next;
    const auto fill = [&](const Run& run, int lastRow) {
        const QRect rect(
            QPoint(geometry_->ColumnLeft(run.first), geometry_->RowTop(run.firstRow)),
            QPoint(geometry_->ColumnLeft(run.last + 1) - 1, geometry_->RowTop(lastRow + 1) - 1));
        if (vector) {
            p.fillRect(QRectF(rect), ToQColor(run.back));
        } else {
            p.fillRect(rect, ToQColor(run.back));
        }
    };
    for (int r = rows.first; r <= rows.last; ++r) {
        next.clear();
        std::size_t above = 0;
        int c = columns.first;
        while (c <= columns.last) {
            const Rgb back = grid_->BackColorOf(c, r);
            int last = c;
            while (last < columns.last && grid_->BackColorOf(last + 1, r) == back) ++last;
            if (back != kWhite) {
                while (above < open.size() && open[above].first < c) fill(open[above++], r - 1);
                if (above < open.size() && open[above].first == c && open[above].last == last &&
                    open[above].back == back) {
                    next.push_back(open[above++]);
                } else {
                    next.push_back({c, last, back, r});
                }
            }
            c = last + 1;
        }
        while (above < open.size()) fill(open[above++], r - 1);
        std::swap(open, next);
    }
    for (const Run& run : open) fill(run, rows.last);
}

// The faint lines between all cells: one line per column and row edge, but
// no column edge runs through a text that overflows across it.
void GridRenderer::PaintGridLines(QPainter& p, int textFrom, const Span& columns, const Span& rows,
                                  bool vector) const {
    const int left = geometry_->ColumnLeft(columns.first);
    const int right = geometry_->ColumnLeft(columns.last + 1) - 1;
    const int top = geometry_->RowTop(rows.first);
    const int bottom = geometry_->RowTop(rows.last + 1) - 1;
    // (column whose right edge is crossed, row), in row order.
    std::vector<std::pair<int, int>> crossed;
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = textFrom; c <= columns.last; ++c) {
            if (grid_->TextIndex(c, r) == 0 || !grid_->Overflows(c, r)) continue;
            const GridGeometry::TextPlacement place = geometry_->PlaceText(c, r, grid_->Cell(c, r));
            const int end = std::min(place.x + place.width, place.room.right());
            for (int k = std::max(c, columns.first); k <= columns.last; ++k) {
                const int x = geometry_->ColumnLeft(k + 1) - 1;
                if (x >= end) break;
                if (x > place.x) crossed.emplace_back(k, r);
            }
        }
    }
    QList<QLine> lines;
    lines.reserve(columns.last - columns.first + rows.last - rows.first + 2 +
                  static_cast<qsizetype>(crossed.size()));
    for (int c = columns.first; c <= columns.last; ++c) {
        const int x = geometry_->ColumnLeft(c + 1) - 1;
        int from = top;
        for (const auto& [column, row] : crossed) {
            if (column != c) continue;
            if (geometry_->RowTop(row) > from)
                lines.append(QLine(x, from, x, geometry_->RowTop(row) - 1));
            from = geometry_->RowTop(row + 1) - 1;
        }
        if (from <= bottom) lines.append(QLine(x, from, x, bottom));
    }
    for (int r = rows.first; r <= rows.last; ++r) {
        const int y = geometry_->RowTop(r + 1) - 1;
        lines.append(QLine(left, y, right, y));
    }
    p.setPen(kGridLineColor);
    DrawLines(p, lines, vector);
}

template <typename Visit>
void GridRenderer::ForEachText(int textFrom, const Span& columns, const Span& rows,
                               Visit&& visit) const {
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = textFrom; c <= columns.last; ++c) {
            const std::uint32_t text = grid_->TextIndex(c, r);
            if (text == 0) continue;
            const ResultGrid::CellView cell = grid_->Cell(c, r);
            visit(text, cell, geometry_->PlaceText(c, r, cell));
        }
    }
}

void GridRenderer::PaintTextsAsPixels(QPainter& p, int textFrom, const Span& columns,
                                      const Span& rows) {
    const double ratio = p.device()->devicePixelRatioF();
    if (ratio != imageRatio_) {
        textImages_.clear();
        fontKeys_.clear();
        imageRatio_ = ratio;
    }
    ForEachText(textFrom, columns, rows,
                [&](std::uint32_t text, const ResultGrid::CellView& cell,
                    const GridGeometry::TextPlacement& place) {
                    const QPixmap& image = TextImage(text, place.font, cell.fore, ratio);
                    const QPoint origin(place.x,
                                        place.baseline - geometry_->BaselineOffset(place.font));
                    if (place.width <= place.room.width()) {
                        p.drawPixmap(origin, image);
                        return;
                    }
                    p.save();
                    p.setClipRect(place.room, Qt::IntersectClip);
                    p.drawPixmap(origin, image);
                    p.restore();
                });
}

// The texts of one font and colour together, so the device changes its pen
// and font as seldom as it can.
void GridRenderer::PaintTextsAsGlyphs(QPainter& p, int textFrom, const Span& columns,
                                      const Span& rows) {
    struct Placed {
        const GlyphText* glyphs;
        QPointF at;
        QRect clip;  // empty: the text fits its room
    };
    std::vector<std::pair<std::uint64_t, std::vector<Placed>>> groups;
    ForEachText(
        textFrom, columns, rows,
        [&](std::uint32_t text, const ResultGrid::CellView& cell,
            const GridGeometry::TextPlacement& place) {
            const GlyphText& glyphs = Glyphs(text, place.font);
            const std::uint64_t key = TextKey(0, place.font, cell.fore);
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [key](const auto& g) { return g.first == key; });
            if (group == groups.end()) group = groups.insert(groups.end(), {key, {}});
            group->second.push_back({&glyphs, QPointF(place.x, place.baseline - glyphs.ascent),
                                     place.width <= place.room.width() ? QRect() : place.room});
        });
    for (const auto& [key, placed] : groups) {
        p.setPen(ToQColor(static_cast<Rgb>(key & 0xffffff)));
        for (const Placed& text : placed) {
            if (!text.clip.isEmpty()) {
                p.save();
                p.setClipRect(text.clip, Qt::IntersectClip);
            }
            for (const QGlyphRun& run : text.glyphs->runs) p.drawGlyphRun(text.at, run);
            if (!text.clip.isEmpty()) p.restore();
        }
    }
}

// Each side of each cell in its colour.  A side continuing the one of the
// cell before it in the same colour extends that line, so a bordered row
// or column is one line, and a side lying on the opposite side of its
// neighbour in the same colour is left to the neighbour.  Colours are drawn
// in a fixed order, so where two meet the same one shows on every device and
// in every part of the grid painted.
void GridRenderer::PaintBorders(QPainter& p, const Span& columns, const Span& rows, bool vector) {
    for (auto& entry : borderLines_) entry.second.clear();
    Rgb lastColor = 0;
    QList<QLine>* lastLines = nullptr;
    const auto linesOf = [&](Rgb color) -> QList<QLine>& {
        if (lastLines && lastColor == color) return *lastLines;
        auto found = std::find_if(borderLines_.begin(), borderLines_.end(),
                                  [color](const auto& entry) { return entry.first == color; });
        if (found == borderLines_.end())
            found = borderLines_.insert(borderLines_.end(), {color, {}});
        lastColor = color;
        lastLines = &found->second;
        return found->second;
    };
    // Adds the segment a–b, joined to the colour's last line when it goes on
    // from its end in the same direction.
    const auto add = [&](Rgb color, QPoint a, QPoint b) {
        QList<QLine>& lines = linesOf(color);
        if (!lines.isEmpty()) {
            QLine& line = lines.back();
            const bool across = a.y() == b.y() && line.y1() == line.y2() && line.y2() == a.y();
            const bool down = a.x() == b.x() && line.x1() == line.x2() && line.x2() == a.x();
            if ((across && line.x2() + 1 == a.x()) || (down && line.y2() + 1 == a.y())) {
                line.setP2(b);
                return;
            }
        }
        lines.append(QLine(a, b));
    };
    const auto pen = [&](int c, int r, Side side) -> const ResultGrid::Pen {
        return grid_->BorderOf(c, r, static_cast<int>(side));
    };
    // Along each row: the tops, then the bottoms.
    for (int r = rows.first; r <= rows.last; ++r) {
        const int top = std::max(geometry_->RowTop(r) - 1, 0);
        const int bottom = geometry_->RowTop(r + 1) - 1;
        for (int c = columns.first; c <= columns.last; ++c) {
            const ResultGrid::Pen side = pen(c, r, Side::Top);
            if (side.style == 0 || (r > rows.first && pen(c, r - 1, Side::Bottom) == side)) {
                continue;
            }
            add(side.color, {geometry_->ColumnLeft(c), top},
                {geometry_->ColumnLeft(c + 1) - 1, top});
        }
        for (int c = columns.first; c <= columns.last; ++c) {
            const ResultGrid::Pen side = pen(c, r, Side::Bottom);
            if (side.style == 0) continue;
            add(side.color, {geometry_->ColumnLeft(c), bottom},
                {geometry_->ColumnLeft(c + 1) - 1, bottom});
        }
    }
    // Down each column: the left sides, then the right ones.
    for (int c = columns.first; c <= columns.last; ++c) {
        const int left = std::max(geometry_->ColumnLeft(c) - 1, 0);
        const int right = geometry_->ColumnLeft(c + 1) - 1;
        for (int r = rows.first; r <= rows.last; ++r) {
            const ResultGrid::Pen side = pen(c, r, Side::Left);
            if (side.style == 0 || (c > columns.first && pen(c - 1, r, Side::Right) == side)) {
                continue;
            }
            add(side.color, {left, geometry_->RowTop(r)}, {left, geometry_->RowTop(r + 1) - 1});
        }
        for (int r = rows.first; r <= rows.last; ++r) {
            const ResultGrid::Pen side = pen(c, r, Side::Right);
            if (side.style == 0) continue;
            add(side.color, {right, geometry_->RowTop(r)}, {right, geometry_->RowTop(r + 1) - 1});
        }
    }
    std::sort(borderLines_.begin(), borderLines_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [color, lines] : borderLines_) {
        if (lines.isEmpty()) continue;
        p.setPen(ToQColor(color));
        DrawLines(p, lines, vector);
    }
}

const QStaticText& GridRenderer::StaticText(std::uint32_t index, int font) {
    if (texts_.size() != static_cast<std::size_t>(geometry_->FontCount())) {
        texts_.assign(geometry_->FontCount(), {});
    }
    std::vector<std::optional<QStaticText>>& texts = texts_[font];
    if (texts.size() != grid_->TextCount()) texts.resize(grid_->TextCount());
    std::optional<QStaticText>& text = texts[index];
    if (!text) {
        text.emplace(QString::fromStdString(grid_->TextByIndex(index)));
        text->setTextFormat(Qt::PlainText);
        text->prepare(QTransform(), geometry_->Font(font));
    }
    return *text;
}

// A cell text drawn once per colour and font into a picture that is then
// copied, its baseline on a whole pixel, where the geometry expects it.
const QPixmap& GridRenderer::TextImage(std::uint32_t index, int font, Rgb color, double ratio) {
    const std::uint64_t key = TextKey(index, font, color);
    const auto found = textImages_.find(key);
    if (found != textImages_.end()) return found->second;
    // The windows show many of the same texts (numbers, draw numbers,
    // headings): pictures are shared through the program's pixmap cache,
    // which only the GUI thread may use.
    QString sharedKey;
    if (const QCoreApplication* app = QCoreApplication::instance();
        app && QThread::currentThread() == app->thread()) {
        if (fontKeys_.size() != static_cast<std::size_t>(geometry_->FontCount())) {
            fontKeys_.assign(geometry_->FontCount(), QString());
        }
        QString& prefix = fontKeys_[font];
        if (prefix.isEmpty()) {
            prefix = QStringLiteral("loto7-cell|") + TextMeasures::KeyOf(geometry_->Font(font)) +
                     QLatin1Char('|') + QString::number(ratio) + QLatin1Char('|');
        }
        sharedKey = prefix + QString::number(color, 16) + QLatin1Char('|') +
                    QString::fromStdString(grid_->TextByIndex(index));
        if (QPixmap shared; QPixmapCache::find(sharedKey, &shared)) {
            return textImages_.emplace(key, std::move(shared)).first->second;
        }
    }
    const QStaticText& text = StaticText(index, font);
    const QSizeF size = text.size();
    QPixmap image(std::max(1, static_cast<int>(std::ceil(size.width() * ratio))),
                  std::max(1, static_cast<int>(std::ceil((size.height() + 1) * ratio))));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QFont& drawn = geometry_->Font(font);
    painter.setFont(drawn);
    painter.setPen(ToQColor(color));
    const double ascent = QFontMetricsF(drawn).ascent();
    painter.drawStaticText(QPointF(0, geometry_->BaselineOffset(font) - ascent), text);
    painter.end();
    if (!sharedKey.isEmpty()) QPixmapCache::insert(sharedKey, image);
    return textImages_.emplace(key, std::move(image)).first->second;
}

// A cell text laid out once per font as the screen lays it out, so that
// its glyphs keep their places at any size.
const GridRenderer::GlyphText& GridRenderer::Glyphs(std::uint32_t index, int font) {
    const std::uint64_t key = TextKey(index, font);
    const auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    QTextLayout layout(QString::fromStdString(grid_->TextByIndex(index)), geometry_->Font(font));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    GlyphText glyphs;
    // The runs' glyphs sit on the line's baseline, its ascent below the top.
    if (line.isValid()) glyphs.ascent = line.ascent();
    glyphs.runs = layout.glyphRuns();
    return glyphs_.emplace(key, std::move(glyphs)).first->second;
}
