#include "core/ResultGrid.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <stdexcept>

namespace {

// Numbers below this keep their text index at hand while a grid is written.
constexpr long long kCachedNumbers = 1 << 14;

// FNV-1a: cell texts are a few bytes long, where it beats a general hash.
std::size_t HashOf(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 29));
}

}  // namespace

ResultGrid::ResultGrid() {
    texts_.emplace_back();  // index 0: the empty text
    pens_.emplace_back();   // index 0: no border
    colors_ = {kBlack, kWhite};
    columnWidths_.assign(1, static_cast<float>(kDefaultColumnWidth));
    rowHeights_.assign(1, static_cast<float>(kDefaultRowHeight));
}

void ResultGrid::Resize(int columns, int rows) {
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    if (columns == columns_ && rows == rows_) return;
    std::vector<StoredCell> resized(static_cast<std::size_t>(columns) * rows);
    const int keepColumns = std::min(columns, columns_);
    const int keepRows = std::min(rows, rows_);
    for (int r = 1; r <= keepRows; ++r) {
        std::copy_n(&At(1, r), keepColumns, &resized[static_cast<std::size_t>(r - 1) * columns]);
    }
    cells_.swap(resized);
    columnWidths_.resize(static_cast<std::size_t>(columns) + 1,
                         static_cast<float>(kDefaultColumnWidth));
    rowHeights_.resize(static_cast<std::size_t>(rows) + 1, static_cast<float>(kDefaultRowHeight));
    columns_ = columns;
    rows_ = rows;
}

void ResultGrid::SetColumnCount(int count) { Resize(count, rows_); }
void ResultGrid::SetRowCount(int count) { Resize(columns_, count); }

void ResultGrid::ShowHeadings(bool columnHeadings, bool rowHeadings) {
    columnHeadings_ = columnHeadings;
    rowHeadings_ = rowHeadings;
}

void ResultGrid::SetColumnWidth(int column, double characters) {
    const auto width = static_cast<float>(characters);
    if (column == -1) {
        std::fill(columnWidths_.begin() + 1, columnWidths_.end(), width);
    } else if (column >= 1 && column <= columns_) {
        columnWidths_[column] = width;
    }
}

void ResultGrid::SetRowHeight(int row, double points) {
    const auto height = static_cast<float>(points);
    if (row == -1) {
        std::fill(rowHeights_.begin() + 1, rowHeights_.end(), height);
    } else if (row >= 1 && row <= rows_) {
        rowHeights_[row] = height;
    }
}

double ResultGrid::ColumnWidth(int column) const {
    if (column < 1 || column > columns_) return kDefaultColumnWidth;
    return columnWidths_[column];
}

double ResultGrid::RowHeight(int row) const {
    if (row < 1 || row > rows_) return kDefaultRowHeight;
    return rowHeights_[row];
}

void ResultGrid::SelectCell(int column, int row) {
    selColumn_ = selColumn2_ = column;
    selRow_ = selRow2_ = row;
}

void ResultGrid::SelectBlock(int firstColumn, int firstRow, int lastColumn, int lastRow) {
    selColumn_ = firstColumn;
    selRow_ = firstRow;
    selColumn2_ = lastColumn;
    selRow2_ = lastRow;
}

void ResultGrid::ActivateCell(int column, int row) {
    activeColumn_ = column;
    activeRow_ = row;
}

ResultGrid::Range ResultGrid::TargetRange() const {
    Range r;
    if (selColumn_ == -1) {
        r.c1 = 1;
        r.c2 = columns_;
    } else {
        r.c1 = selColumn_;
        r.c2 = !blockMode_ ? selColumn_ : selColumn2_ == -1 ? columns_ : selColumn2_;
    }
    if (selRow_ == -1) {
        r.r1 = 1;
        r.r2 = rows_;
    } else {
        r.r1 = selRow_;
        r.r2 = !blockMode_ ? selRow_ : selRow2_ == -1 ? rows_ : selRow2_;
    }
    if (r.c1 > r.c2) std::swap(r.c1, r.c2);
    if (r.r1 > r.r2) std::swap(r.r1, r.r2);
    return r;
}

ResultGrid::Range ResultGrid::Clip(int c1, int r1, int c2, int r2) const {
    return Range{std::max(c1, 1), std::max(r1, 1), std::min(c2, columns_), std::min(r2, rows_)};
}

template <typename F>
void ResultGrid::ForEachTarget(F&& apply) {
    // Most operations act on one selected cell.
    if (!blockMode_ && Contains(selColumn_, selRow_)) {
        apply(At(selColumn_, selRow_), selColumn_, selRow_,
              Range{selColumn_, selRow_, selColumn_, selRow_});
        return;
    }
    const Range t = TargetRange();
    const Range c = Clip(t.c1, t.r1, t.c2, t.r2);
    if (c.empty()) return;
    for (int row = c.r1; row <= c.r2; ++row) {
        for (int column = c.c1; column <= c.c2; ++column) apply(At(column, row), column, row, t);
    }
}

void ResultGrid::SetBackColor(Rgb color) {
    const std::uint16_t index = ColorIndex(color);
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) { cell.back = index; });
}

void ResultGrid::SetForeColor(Rgb color) {
    const std::uint16_t index = ColorIndex(color);
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) { cell.fore = index; });
}

void ResultGrid::SetText(std::string_view text) {
    const std::uint32_t id = Intern(text);
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) { cell.text = id; });
}

void ResultGrid::SetCellKind(CellKind kind) {
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) {
        cell.kind = static_cast<std::uint32_t>(kind);
    });
}

void ResultGrid::SetHorizontalAlign(HAlign align) {
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) {
        cell.halign = static_cast<std::uint32_t>(align);
    });
}

void ResultGrid::SetVerticalAlign(VAlign align) {
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) {
        cell.valign = static_cast<std::uint32_t>(align);
    });
}

void ResultGrid::SetKindAndAlignment(CellKind kind, HAlign horizontal, VAlign vertical) {
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) {
        cell.kind = static_cast<std::uint32_t>(kind);
        cell.halign = static_cast<std::uint32_t>(horizontal);
        cell.valign = static_cast<std::uint32_t>(vertical);
    });
}

void ResultGrid::SetTextOverflow(bool on) {
    ForEachTarget([&](StoredCell& cell, int, int, const Range&) { cell.overflow = on ? 1 : 0; });
}

void ResultGrid::DrawBorder(int sides, int style, std::optional<Rgb> color) {
    if (sides == kBorderNone) return;
    const std::uint8_t pen =
        style == 0
            ? 0
            : PenIndex(Pen{static_cast<std::uint8_t>(style), color.value_or(kDefaultLineColor)});
    // The sides every cell gets, in one pass; then the outline's edges.
    const int every = sides & kBorderAll;
    if (every == kBorderAll) {
        ForEachTarget(
            [pen](StoredCell& cell, int, int, const Range&) { std::fill_n(cell.border, 4, pen); });
    } else if (every != 0) {
        ForEachTarget([every, pen](StoredCell& cell, int, int, const Range&) {
            for (int side = 0; side < 4; ++side) {
                if (every & (1 << side)) cell.border[side] = pen;
            }
        });
    }
    if (sides & kBorderOutline) DrawOutline(pen);
}

// Only the cells on the target's edges, where those edges lie in the grid.
void ResultGrid::DrawOutline(std::uint8_t pen) {
    const Range t = TargetRange();
    const Range c = Clip(t.c1, t.r1, t.c2, t.r2);
    if (c.empty()) return;
    const auto set = [&](int column, int row, Side side) {
        At(column, row).border[static_cast<int>(side)] = pen;
    };
    for (int row = c.r1; row <= c.r2; ++row) {
        if (t.c1 == c.c1) set(c.c1, row, Side::Left);
        if (t.c2 == c.c2) set(c.c2, row, Side::Right);
    }
    for (int column = c.c1; column <= c.c2; ++column) {
        if (t.r1 == c.r1) set(column, c.r1, Side::Top);
        if (t.r2 == c.r2) set(column, c.r2, Side::Bottom);
    }
}

bool ResultGrid::WriteCell(int column, int row, std::string_view text) {
    if (!Contains(column, row)) return false;
    At(column, row).text = Intern(text);
    return true;
}

std::string ResultGrid::ReadCell(int column, int row) const {
    if (!Contains(column, row)) return {};
    return texts_[At(column, row).text];
}

bool ResultGrid::IsEmpty(int column, int row) const {
    return !Contains(column, row) || At(column, row).text == 0;
}

ResultGrid::CellView ResultGrid::Cell(int column, int row) const {
    CellView view;
    if (!Contains(column, row)) return view;
    const StoredCell& cell = At(column, row);
    view.text = texts_[cell.text];
    view.fore = colors_[cell.fore];
    view.back = colors_[cell.back];
    view.halign = static_cast<HAlign>(cell.halign);
    view.valign = static_cast<VAlign>(cell.valign);
    view.kind = static_cast<CellKind>(cell.kind);
    view.overflow = cell.overflow != 0;
    for (int side = 0; side < 4; ++side) view.border[side] = pens_[cell.border[side]];
    return view;
}

void ResultGrid::DoneWriting() {
    textSlots_ = {};
    numberTexts_ = {};
    texts_.shrink_to_fit();
}

void ResultGrid::RebuildTextSlots(std::size_t slotCount) {
    textSlots_.assign(slotCount, 0);
    const std::size_t mask = slotCount - 1;
    for (std::uint32_t id = 1; id < texts_.size(); ++id) {
        std::size_t slot = HashOf(texts_[id]) & mask;
        while (textSlots_[slot] != 0) slot = (slot + 1) & mask;
        textSlots_[slot] = id + 1;
    }
}

std::uint32_t ResultGrid::Intern(std::string_view text) {
    if (text.empty()) return 0;
    // Marks are written many times over, one after the other.
    if (texts_[lastText_] == text) return lastText_;
    // Room for one more text with the table at most half full.
    if (textSlots_.size() < 2 * (texts_.size() + 1)) {
        RebuildTextSlots(std::max<std::size_t>(64, std::bit_ceil(4 * (texts_.size() + 1))));
    }
    const std::size_t mask = textSlots_.size() - 1;
    std::size_t slot = HashOf(text) & mask;
    for (; textSlots_[slot] != 0; slot = (slot + 1) & mask) {
        const std::uint32_t id = textSlots_[slot] - 1;
        if (texts_[id] == text) return lastText_ = id;
    }
    const auto id = static_cast<std::uint32_t>(texts_.size());
    // A cell keeps its text's index in 24 bits.
    if (id >= (1u << 24)) throw std::length_error("表の文字列の種類が多すぎます。");
    texts_.emplace_back(text);
    textSlots_[slot] = id + 1;
    return lastText_ = id;
}

std::uint32_t ResultGrid::InternNumber(long long number) {
    char buffer[24];
    const std::uint32_t id =
        Intern(std::string_view(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr));
    if (number >= 0 && number < kCachedNumbers) {
        const auto at = static_cast<std::size_t>(number);
        if (numberTexts_.size() <= at) numberTexts_.resize(std::bit_ceil(at + 1), 0);
        numberTexts_[at] = id;
    }
    return id;
}

std::uint8_t ResultGrid::PenIndex(Pen pen) {
    for (std::size_t i = 1; i < pens_.size(); ++i) {
        if (pens_[i] == pen) return static_cast<std::uint8_t>(i);
    }
    // A grid uses a handful of border colours; past 255 the last pen is reused
    // rather than overflowing the per-side index.
    if (pens_.size() > 255) return 255;
    pens_.push_back(pen);
    return static_cast<std::uint8_t>(pens_.size() - 1);
}

std::uint16_t ResultGrid::FindColor(Rgb color) {
    const auto found = std::find(colors_.begin(), colors_.end(), color);
    if (found != colors_.end()) {
        lastColor_ = static_cast<std::uint16_t>(found - colors_.begin());
        return lastColor_;
    }
    // A grid uses a few dozen colours; past 65535 the last one is reused
    // rather than overflowing the index.
    if (colors_.size() > 0xffff) return 0xffff;
    colors_.push_back(color);
    lastColor_ = static_cast<std::uint16_t>(colors_.size() - 1);
    return lastColor_;
}
