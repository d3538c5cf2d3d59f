// The rows of a grid's layout: their heights in pixels and where the texts
// in them sit.
#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/GridGeometry.h"
#include "grid/TextMeasures.h"

namespace {

using VAlign = ResultGrid::VAlign;

}  // namespace

int GridGeometry::Baseline(int row, int font, VAlign align) const {
    const int top = rowEdges_[row - 1];
    return top + BaselineInRow(rowEdges_[row] - top, font, align);
}

int GridGeometry::BaselineInRow(int height, int font, VAlign align) const {
    const FontMetrics size = MetricsOf(font);
    if (align == VAlign::Top) return 1 - size.inkTop;
    if (align == VAlign::Bottom) return height - 2 - size.inkBottom;
    // The font's ink centred between the lines above and below the row.
    const int inside = height - 1;
    return static_cast<int>(std::floor((inside - (size.inkBottom - size.inkTop)) / 2.0)) -
           size.inkTop;
}

// A row is as high as its points, or higher where a text in it would touch
// the line above or below: every text keeps a pixel clear of both, growing
// the row by at most kMostGrowth pixels.  A text that clears the lines of a
// row clears them in any taller row (its baseline never moves up), so the
// row takes the height its most demanding text needs.  That height is
// worked out once per row height, font, alignment and text, and a row costs
// a look-up per cell.
void GridGeometry::LayOutRows(double dpi) {
    constexpr int kMostGrowth = 100;
    constexpr int kAligns = 3;
    rowEdges_.assign(1, 0);
    const std::size_t textCount = grid_->TextCount();
    // The height a text needs, per font×alignment×text (0: not worked out),
    // for each row height met.
    std::vector<std::pair<int, std::vector<int>>> needsFor;
    const auto needsAt = [&](int height) -> std::vector<int>& {
        const auto found =
            std::find_if(needsFor.begin(), needsFor.end(),
                         [height](const auto& known) { return known.first == height; });
        if (found != needsFor.end()) return found->second;
        needsFor.emplace_back(height, std::vector<int>(fonts_.size() * kAligns * textCount));
        return needsFor.back().second;
    };
    const auto heightNeeded = [&](std::uint32_t text, int font, VAlign align, int height) {
        const auto [top, bottom] = TextInk(text, font);
        if (bottom <= top) return height;  // blanks only
        const auto clears = [&](int h) {
            const int baseline = BaselineInRow(h, font, align);
            return baseline + top >= 1 && baseline + bottom <= h - 2;
        };
        int h = height;
        while (h < height + kMostGrowth && !clears(h)) ++h;
        return h;
    };
    const std::size_t columns = ColumnCount();
    rowEdges_.reserve(grid_->RowCount() + 1);
    for (int r = 1; r <= grid_->RowCount(); ++r) {
        const int height =
            std::max(0, static_cast<int>(std::lround(grid_->RowHeight(r) * dpi / 72.0)));
        std::vector<int>& needs = needsAt(height);
        const std::uint8_t* rowFonts =
            cellFonts_.empty() ? nullptr : &cellFonts_[static_cast<std::size_t>(r - 1) * columns];
        int grown = height;
        grid_->ForEachTextInRow(r, [&](int c, std::uint32_t text, VAlign align) {
            const int font = rowFonts ? rowFonts[c - 1] : 0;
            int& need = needs[(static_cast<std::size_t>(font) * kAligns + static_cast<int>(align)) *
                                  textCount +
                              text];
            // Stored one more than the height, so 0 stays "not worked out".
            if (need == 0) {
                MeasureFont(font);
                need = heightNeeded(text, font, align, height) + 1;
            }
            grown = std::max(grown, need - 1);
        });
        rowEdges_.push_back(rowEdges_.back() + grown);
    }
    if (!(grid_->ScrollBars() & 2)) EvenOutRows();
}

// A table shown whole that would grow taller than its height has its texts
// drawn smaller, all alike, until its rows fit (or the texts reach 7 pt).
void GridGeometry::KeepRowsWithin(int height, double dpi) {
    if (height <= 0) return;
    const int columns = ColumnCount();
    for (int font = 1; font < FontCount() && Height() > height; ++font) {
        if (cellFonts_.empty()) {
            cellFonts_.assign(static_cast<std::size_t>(columns) * grid_->RowCount(), 0);
        }
        for (std::uint8_t& cell : cellFonts_)
            cell = std::max(cell, static_cast<std::uint8_t>(font));
        for (std::uint32_t t = 1; t < grid_->TextCount(); ++t) MeasureWidth(font, t);
        LayOutRows(dpi);
    }
}

// A table shown whole, without a vertical scroll bar, keeps the rows of one
// height in points at one height in pixels: the tallest of them.
void GridGeometry::EvenOutRows() {
    std::vector<std::pair<double, int>> tallest;  // points, pixels
    for (int r = 1; r <= RowCount(); ++r) {
        const double points = grid_->RowHeight(r);
        const auto found = std::find_if(tallest.begin(), tallest.end(),
                                        [points](const auto& t) { return t.first == points; });
        if (found == tallest.end()) {
            tallest.emplace_back(points, RowHeight(r));
        } else {
            found->second = std::max(found->second, RowHeight(r));
        }
    }
    for (int r = 1; r <= RowCount(); ++r) {
        const double points = grid_->RowHeight(r);
        const auto found = std::find_if(tallest.begin(), tallest.end(),
                                        [points](const auto& t) { return t.first == points; });
        rowEdges_[r] = rowEdges_[r - 1] + found->second;
    }
}
