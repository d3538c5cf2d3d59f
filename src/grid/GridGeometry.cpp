#include "grid/GridGeometry.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "grid/TextMeasures.h"

namespace {

using VAlign = ResultGrid::VAlign;

// A text without its trailing blanks (spaces and ideographic spaces), which
// pad titles but show nothing.
QString VisiblePart(const std::string& text) {
    QString s = QString::fromStdString(text);
    qsizetype end = s.size();
    while (end > 0 && (s[end - 1] == QLatin1Char(' ') || s[end - 1] == QChar(0x3000))) --end;
    s.truncate(end);
    return s;
}

// What a text is apart from its digits: "3回前" and "12回前" are alike.
std::string WithoutDigits(const std::string& text) {
    std::string shape;
    for (char ch : text) {
        if (ch < '0' || ch > '9') shape += ch;
    }
    return shape;
}

// The pixels a text takes: its advance to the nearest pixel.  What is left
// of a pixel more falls into the padding, which the glyphs' own side
// bearings leave clear anyway.
int Pixels(double width) { return static_cast<int>(std::lround(width)); }

// The ink of a text relative to its baseline: first row and the row after
// the last.
TextMeasures::Ink InkRows(const QFontMetricsF& metrics, const QString& text) {
    const QRectF ink = metrics.tightBoundingRect(text);
    return {static_cast<int>(std::floor(ink.top())), static_cast<int>(std::ceil(ink.bottom()))};
}

}  // namespace

GridGeometry::GridGeometry(const ResultGrid& grid, const QFont& font, double dpi, QSize room)
    : grid_(&grid), room_(room) {
    if (dpi <= 0) dpi = 96.0;
    dpi_ = dpi;
    MakeFonts(font, dpi);
    LayOutColumns();
    naturalWidth_ = Width();
    MeasureTexts();
    FillWidth(room.width());
    ChooseFonts();
    cramped_ = {};
    LayOutRows(dpi);
    if (!(grid.ScrollBars() & 2)) KeepRowsWithin(room.height(), dpi);
}

// The room counts only where the grid is narrower than its width, and its
// height only in a table shown whole.
bool GridGeometry::SameForRoom(QSize room) const {
    if (!grid_) return false;
    const bool widthAlike = room.width() == room_.width() ||
                            (room.width() <= naturalWidth_ && room_.width() <= naturalWidth_);
    const bool heightAlike = (grid_->ScrollBars() & 2) || room.height() == room_.height();
    return widthAlike && heightAlike;
}

int GridGeometry::FirstEndingAfter(const std::vector<int>& edges, int position, int lo, int hi) {
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (edges[mid + 1] <= position) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

// The grid's font and the smaller sizes down to 7 pt, a pixel apart.  Only
// the grid's font is measured now: most grids never need a smaller one.
void GridGeometry::MakeFonts(const QFont& font, double dpi) {
    const int largest =
        font.pixelSize() > 0
            ? font.pixelSize()
            : std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72)));
    const int smallest =
        std::min(largest, static_cast<int>(std::ceil(kSmallestPoints * dpi / 72 - 1e-9)));
    for (int pixels = largest; pixels >= smallest; --pixels) {
        FontSize size;
        size.font = font;
        size.font.setPixelSize(pixels);
        size.measures = &TextMeasures::ForFont(size.font);
        fonts_.push_back(std::move(size));
    }
    MeasureFont(0);
}

GridGeometry::FontMetrics GridGeometry::Measure(const FontSize& size) {
    const QFontMetricsF metrics(size.font);
    FontMetrics m;
    m.baselineOffset = static_cast<int>(std::ceil(metrics.ascent()));
    // The ink of the tallest glyphs and of the digits, kept like that of
    // any other text.
    const auto inkOf = [&](const char* probe) {
        return size.measures->InkOf(probe,
                                    [&] { return InkRows(metrics, QString::fromUtf8(probe)); });
    };
    std::tie(m.inkTop, m.inkBottom) = inkOf("第回数字ボ0123456789");
    std::tie(m.digitTop, m.digitBottom) = inkOf("0123456789");
    return m;
}

const GridGeometry::FontMetrics& GridGeometry::MeasureFont(int font) {
    FontSize& size = fonts_.at(font);
    if (!size.metrics) size.metrics = Measure(size);
    return *size.metrics;
}

GridGeometry::FontMetrics GridGeometry::MetricsOf(int font) const {
    const FontSize& size = fonts_.at(font);
    return size.metrics ? *size.metrics : Measure(size);
}

// Each column holds its characters of the font's digits and the padding on
// both sides.
void GridGeometry::LayOutColumns() {
    const double digit = QFontMetricsF(Font(0)).horizontalAdvance(QLatin1Char('0'));
    for (int c = 1; c <= grid_->ColumnCount(); ++c) {
        const int w = std::max(0, Pixels(grid_->ColumnWidth(c) * digit + 2 * kTextPadding));
        columnEdges_.push_back(columnEdges_.back() + w);
    }
}

// A text's width in a font is measured once and kept by the font's
// measures, for every grid that shows the text.
float GridGeometry::MeasuredWidth(int font, const std::string& text) const {
    const auto advance = [this, font](const QString& s) {
        return QFontMetricsF(Font(font)).horizontalAdvance(s);
    };
    TextMeasures& measures = *fonts_[font].measures;
    if (const std::optional<float> number = measures.NumberWidth(text, advance)) return *number;
    return measures.Width(text, [&] { return advance(VisiblePart(text)); });
}

void GridGeometry::MeasureWidth(int font, std::uint32_t text) {
    float& width = widths_[font][text];
    if (width >= 0) return;
    width = MeasuredWidth(font, grid_->TextByIndex(text));
}

double GridGeometry::VisibleWidth(std::uint32_t text, int font) const {
    return widths_[font][text];
}

int GridGeometry::MostRoom(int column, int row) const {
    int right = ColumnLeft(column + 1);
    if (grid_->Cell(column, row).overflow) {
        const int last = std::min(ColumnCount(), column + kMaxOverflowColumns);
        for (int c = column + 1; c <= last && grid_->IsEmpty(c, row); ++c) {
            right = ColumnLeft(c + 1);
        }
    }
    return right - ColumnLeft(column) - 2 * kTextPadding;
}

void GridGeometry::MeasureTexts() {
    const auto textCount = static_cast<std::uint32_t>(grid_->TextCount());
    widths_.assign(fonts_.size(), std::vector<float>(textCount, -1.0f));
    for (std::uint32_t t = 1; t < textCount; ++t) {
        widths_[0][t] = MeasuredWidth(0, grid_->TextByIndex(t));
    }
}

// Where the grid is narrower than the width it may fill, columns whose texts
// do not fit in the grid's font widen to hold them, alike columns (as many
// characters wide, short of as many pixels) together and the cheapest first,
// while the room left still holds the widening that columns need anyway for
// texts too wide even at the smallest size.
template <typename Visit>
void GridGeometry::ForEachCrampedText(Visit&& visit) {
    if (!crampedFound_) FindCrampedTexts();
    for (const Cramped& cramped : cramped_) {
        const int c = cramped.column;
        if (cramped.width <= ColumnWidth(c) - 2 * kTextPadding) continue;
        const int room = MostRoom(c, cramped.row);
        if (cramped.width <= room) continue;
        visit(c, cramped.row, cramped.text, cramped.width, room);
    }
}

// One pass over the cells finds the texts wider than the most room their
// cells give them.  Columns only ever widen afterwards, so a later pass
// need only look again at these.
void GridGeometry::FindCrampedTexts() {
    crampedFound_ = true;
    cramped_.clear();
    // Each text's width in whole pixels, worked out once rather than per cell.
    std::vector<int> pixels(widths_[0].size());
    for (std::size_t t = 0; t < pixels.size(); ++t) pixels[t] = Pixels(widths_[0][t]);
    const int columns = ColumnCount();
    std::vector<int> inner(columns + 1);
    for (int c = 1; c <= columns; ++c) inner[c] = ColumnWidth(c) - 2 * kTextPadding;
    for (int r = 1; r <= grid_->RowCount(); ++r) {
        grid_->ForEachTextInRow(r, [&](int c, std::uint32_t text, VAlign) {
            const int width = pixels[text];
            if (width <= inner[c] || width <= MostRoom(c, r)) return;
            cramped_.push_back({c, r, text, width});
        });
    }
}

void GridGeometry::FillWidth(int widthToFill) {
    if (widthToFill <= Width()) return;
    const int columns = ColumnCount();
    std::vector<int> full(columns + 1, 0);      // to show every text at font 0
    std::vector<int> smallest(columns + 1, 0);  // to show it at the smallest font
    const int last = FontCount() - 1;
    ForEachCrampedText([&](int c, int, std::uint32_t text, int width, int room) {
        MeasureWidth(last, text);
        full[c] = std::max(full[c], width - room);
        smallest[c] = std::max(smallest[c], Pixels(VisibleWidth(text, last)) - room);
    });
    struct Alike {
        double characters;
        int pixels;
        std::vector<int> columns;
        int cost = 0;  // beyond what the smallest font needs anyway
    };
    std::vector<Alike> alike;
    int spent = 0;
    for (int c = 1; c <= columns; ++c) {
        spent += smallest[c];
        if (full[c] == 0) continue;
        const double characters = grid_->ColumnWidth(c);
        auto found = std::find_if(alike.begin(), alike.end(), [&](const Alike& a) {
            return a.characters == characters && a.pixels == full[c];
        });
        if (found == alike.end()) found = alike.insert(alike.end(), {characters, full[c], {}});
        found->columns.push_back(c);
        found->cost += full[c] - smallest[c];
    }
    std::stable_sort(alike.begin(), alike.end(),
                     [](const Alike& a, const Alike& b) { return a.cost < b.cost; });
    std::vector<int> widen(columns + 1, 0);
    for (const Alike& a : alike) {
        if (Width() + spent + a.cost > widthToFill) break;
        spent += a.cost;
        for (int c : a.columns) widen[c] = full[c];
    }
    for (int c = 1, shift = 0; c <= columns; ++c) {
        shift += widen[c];
        columnEdges_[c] += shift;
    }
}

// Every text in the grid's font where it fits; a text that does not, and
// the texts of its column that go with it, in the largest smaller font that
// fits them all; a column wider where even the smallest does not.
void GridGeometry::ChooseFonts() {
    const auto textCount = static_cast<std::uint32_t>(grid_->TextCount());

    // The texts of a column that share a size: numbers alike but for their
    // digits ("7", "12"; "+5", "+12"), and the other texts of rows of the
    // same height, which play the same part (headings, or data such as
    // "初回" and "12回前").
    // Each text's shape, worked out the first time it is met.
    constexpr int kUnknown = -2, kNotNumber = -1;
    std::vector<int> shapeOf(textCount, kUnknown);
    std::unordered_map<std::string, int> shapes;
    std::vector<double> heights;
    const auto group = [&](std::uint32_t text, int row) {
        if (shapeOf[text] == kUnknown) {
            const std::string& s = grid_->TextByIndex(text);
            shapeOf[text] = kNotNumber;
            if (TextMeasures::IsNumber(s)) {
                const auto [it, added] =
                    shapes.try_emplace(WithoutDigits(s), static_cast<int>(shapes.size()));
                shapeOf[text] = it->second;
            }
        }
        if (shapeOf[text] != kNotNumber) return shapeOf[text];
        const double points = grid_->RowHeight(row);
        auto found = std::find(heights.begin(), heights.end(), points);
        if (found == heights.end()) found = heights.insert(heights.end(), points);
        return -1 - static_cast<int>(found - heights.begin());
    };

    const int columns = ColumnCount();
    const int last = FontCount() - 1;
    // Per column, the groups of texts that need a smaller font, and the font.
    std::vector<std::vector<std::pair<int, int>>> shrunk(columns + 1);
    std::vector<int> widen(columns + 1, 0);
    bool anyShrunk = false;
    ForEachCrampedText([&](int c, int r, std::uint32_t text, int, int room) {
        int font = 1;
        for (; font <= last; ++font) {
            MeasureWidth(font, text);
            if (Pixels(VisibleWidth(text, font)) <= room) break;
        }
        if (font > last) {
            font = last;
            widen[c] = std::max(widen[c], Pixels(VisibleWidth(text, font)) - room);
        }
        anyShrunk = true;
        auto& groups = shrunk[c];
        const int g = group(text, r);
        const auto found = std::find_if(groups.begin(), groups.end(),
                                        [g](const auto& known) { return known.first == g; });
        if (found == groups.end()) {
            groups.emplace_back(g, font);
        } else {
            found->second = std::max(found->second, font);
        }
    });

    for (int c = 1, shift = 0; c <= columns; ++c) {
        shift += widen[c];
        columnEdges_[c] += shift;
    }
    if (!anyShrunk) return;
    cellFonts_.assign(static_cast<std::size_t>(columns) * grid_->RowCount(), 0);
    for (int r = 1; r <= grid_->RowCount(); ++r) {
        grid_->ForEachTextInRow(r, [&](int c, std::uint32_t text, VAlign) {
            if (shrunk[c].empty()) return;
            const int g = group(text, r);
            for (const auto& [known, font] : shrunk[c]) {
                if (known != g) continue;
                MeasureWidth(font, text);
                cellFonts_[static_cast<std::size_t>(r - 1) * columns + (c - 1)] =
                    static_cast<std::uint8_t>(font);
            }
        });
    }
}

int GridGeometry::CellFont(int column, int row) const {
    if (cellFonts_.empty()) return 0;
    return cellFonts_[static_cast<std::size_t>(row - 1) * ColumnCount() + (column - 1)];
}

// The ink of a text in a font, measured once per font for every grid.
// Numbers need none of their own: their ink lies within the digits'.
std::pair<int, int> GridGeometry::TextInk(std::uint32_t text, int font) const {
    const std::string& s = grid_->TextByIndex(text);
    // Numbers (and signed differences) make up most cells; their ink lies
    // within that of the digits, so they need no measuring of their own.
    if (TextMeasures::IsNumber(s)) {
        const FontMetrics metrics = MetricsOf(font);
        return {metrics.digitTop, metrics.digitBottom};
    }
    return fonts_[font].measures->InkOf(
        s, [&] { return InkRows(QFontMetricsF(Font(font)), VisiblePart(s)); });
}

// The cell less its padding; an overflowing text that is wider takes in the
// empty cells to its right, one by one, while it needs them.
QRect GridGeometry::TextRoom(int column, int row, int width, bool overflow) const {
    const int left = columnEdges_[column - 1] + kTextPadding;
    int right = columnEdges_[column] - kTextPadding;  // one past the room
    if (overflow) {
        const int last = std::min(ColumnCount(), column + kMaxOverflowColumns);
        for (int c = column + 1; right - left < width && c <= last && grid_->IsEmpty(c, row); ++c) {
            right = columnEdges_[c] - kTextPadding;
        }
    }
    return QRect(left, rowEdges_[row - 1], right - left, rowEdges_[row] - rowEdges_[row - 1]);
}

GridGeometry::TextPlacement GridGeometry::PlaceText(int column, int row) const {
    return PlaceText(column, row, grid_->Cell(column, row));
}

GridGeometry::TextPlacement GridGeometry::PlaceText(int column, int row,
                                                    const ResultGrid::CellView& cell) const {
    TextPlacement p;
    p.font = CellFont(column, row);
    p.width = Pixels(widths_[p.font][grid_->TextIndex(column, row)]);
    p.room = TextRoom(column, row, p.width, cell.overflow);
    // Text that cannot fit shows its beginning rather than its middle.
    p.x = p.room.left();
    if (p.width <= p.room.width()) {
        if (cell.halign == ResultGrid::HAlign::Center) p.x += (p.room.width() - p.width) / 2;
        if (cell.halign == ResultGrid::HAlign::Right) p.x = p.room.right() + 1 - p.width;
    }
    p.baseline = Baseline(row, p.font, cell.valign);
    return p;
}
