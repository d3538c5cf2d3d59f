#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Rgb.h"

// The in-memory spreadsheet every window shows: sizes, visible area, frozen
// panes and, per cell, text, colours, alignment, kind, overflow and four
// border sides.  Columns and rows count from 1; row and column 0 are the
// (hidden) heading strips; -1 as the first column or row of a selection means
// all of them, as the last one "to the end".  Operations that act
// on cells work on the current cell, or on the selected block in block mode,
// clipped to the grid, so a block running past the last row is cut silently.
class ResultGrid {
  public:
    enum class CellKind : std::uint8_t { EditText = 1, StaticText = 5 };
    enum class HAlign : std::uint8_t { Left = 0, Right = 1, Center = 2 };
    enum class VAlign : std::uint8_t { Top = 0, Bottom = 1, Center = 2 };

    // Flags of DrawBorder: each of the four per-cell sides, or the outline of
    // the whole range.
    enum BorderSides : int {
        kBorderNone = 0,
        kBorderLeft = 1,
        kBorderRight = 2,
        kBorderTop = 4,
        kBorderBottom = 8,
        kBorderAll = 15,
        kBorderOutline = 16,
    };
    enum class Side : std::uint8_t { Left = 0, Right = 1, Top = 2, Bottom = 3 };

    // One drawn border side: style 0 means none, 1 thin solid.
    struct Pen {
        std::uint8_t style = 0;
        Rgb color = kBlack;
        bool operator==(const Pen&) const = default;
    };

    // A read-only view of one cell.
    struct CellView {
        std::string_view text;
        Rgb fore = kBlack;
        Rgb back = kWhite;
        HAlign halign = HAlign::Left;
        VAlign valign = VAlign::Center;
        CellKind kind = CellKind::EditText;
        bool overflow = false;
        Pen border[4];
    };

    static constexpr Rgb kDefaultLineColor = kBlack;
    static constexpr double kDefaultColumnWidth = 9.0;  // characters
    static constexpr double kDefaultRowHeight = 12.0;   // points

    ResultGrid();

    // --- size and appearance -------------------------------------------
    void SetColumnCount(int count);
    void SetRowCount(int count);
    void SetVisibleColumns(int count) { visibleColumns_ = count; }
    void SetVisibleRows(int count) { visibleRows_ = count; }
    void FreezeRows(int count) { frozenRows_ = count; }
    void FreezeColumns(int count) { frozenColumns_ = count; }
    void SetScrollBars(int mode) { scrollBars_ = mode; }  // 0 none, 1 horiz, 2 vert, 3 both
    void ShowHeadings(bool columnHeadings, bool rowHeadings);
    void SetColumnWidth(int column, double characters);
    void SetRowHeight(int row, double points);

    // --- selection -------------------------------------------------------
    void SelectCell(int column, int row);
    void SelectBlock(int firstColumn, int firstRow, int lastColumn, int lastRow);
    void BlockMode(bool on) { blockMode_ = on; }
    void ActivateCell(int column, int row);

    // --- operations on the current cell or block ------------------------
    void SetBackColor(Rgb color);
    void SetForeColor(Rgb color);
    void SetText(std::string_view text);
    void SetCellKind(CellKind kind);
    void SetHorizontalAlign(HAlign align);
    void SetVerticalAlign(VAlign align);
    // The kind and both alignments at once: one pass over a large block.
    void SetKindAndAlignment(CellKind kind, HAlign horizontal, VAlign vertical);
    void SetTextOverflow(bool on);
    void DrawBorder(int sides, int style, std::optional<Rgb> color = std::nullopt);

    // --- direct cell access ------------------------------------------------
    // Returns false (and writes nothing) for a cell outside the grid.
    bool WriteCell(int column, int row, std::string_view text);
    // (Inline for the numbers written before: most cells of large grids.)
    bool WriteCell(int column, int row, long long number) {
        if (!Contains(column, row)) return false;
        if (number >= 0 && static_cast<unsigned long long>(number) < numberTexts_.size() &&
            numberTexts_[static_cast<std::size_t>(number)] != 0) {
            At(column, row).text = numberTexts_[static_cast<std::size_t>(number)];
            return true;
        }
        At(column, row).text = InternNumber(number);
        return true;
    }
    bool WriteCell(int column, int row, int number) {
        return WriteCell(column, row, static_cast<long long>(number));
    }
    bool WriteCell(int column, int row, const char* text) {
        return WriteCell(column, row, std::string_view(text));
    }
    std::string ReadCell(int column, int row) const;
    // Frees what only writing needs (the look-up of the texts written so
    // far), for a grid that is now only read.  A later write builds it anew.
    void DoneWriting();

    // --- reading the model (views, dumps, tests) --------------------------
    int ColumnCount() const { return columns_; }
    int RowCount() const { return rows_; }
    int VisibleColumns() const { return visibleColumns_; }
    int VisibleRows() const { return visibleRows_; }
    int FrozenRows() const { return frozenRows_; }
    int FrozenColumns() const { return frozenColumns_; }
    int ScrollBars() const { return scrollBars_; }
    bool ColumnHeadingsShown() const { return columnHeadings_; }
    bool RowHeadingsShown() const { return rowHeadings_; }
    double ColumnWidth(int column) const;
    double RowHeight(int row) const;
    int ActiveColumn() const { return activeColumn_; }
    int ActiveRow() const { return activeRow_; }
    bool Contains(int column, int row) const {
        return column >= 1 && column <= columns_ && row >= 1 && row <= rows_;
    }
    CellView Cell(int column, int row) const;
    // True when the cell has no text (used by text overflow).
    bool IsEmpty(int column, int row) const;
    // Texts are interned: a cell's text index (0 = empty) and the text table,
    // so a view can convert each distinct text once.
    std::uint32_t TextIndex(int column, int row) const {
        return Contains(column, row) ? At(column, row).text : 0;
    }
    std::size_t TextCount() const { return texts_.size(); }
    // One side of a cell's border (a Side of CellView::border) and its
    // background, read without building its CellView: painting reads them
    // for every cell in view.
    Pen BorderOf(int column, int row, int side) const {
        return Contains(column, row) ? pens_[At(column, row).border[side]] : Pen{};
    }
    Rgb BackColorOf(int column, int row) const {
        return Contains(column, row) ? colors_[At(column, row).back] : kWhite;
    }
    // Whether a cell's text may overflow, read without building its CellView.
    bool Overflows(int column, int row) const {
        return Contains(column, row) && At(column, row).overflow != 0;
    }
    // A cell's vertical alignment, read without building its CellView.
    VAlign VerticalAlignment(int column, int row) const {
        return Contains(column, row) ? static_cast<VAlign>(At(column, row).valign) : VAlign::Center;
    }
    const std::string& TextByIndex(std::uint32_t index) const { return texts_.at(index); }
    // Calls visit(column, text index, vertical alignment) for each cell of
    // the row that holds a text, left to right: for layouts that look at
    // every cell of a grid of thousands of rows.
    template <typename Visit>
    void ForEachTextInRow(int row, Visit&& visit) const {
        if (row < 1 || row > rows_ || columns_ == 0) return;
        const StoredCell* cell = &At(1, row);
        for (int column = 1; column <= columns_; ++column, ++cell) {
            if (cell->text != 0) {
                visit(column, static_cast<std::uint32_t>(cell->text),
                      static_cast<VAlign>(cell->valign));
            }
        }
    }

  private:
    // A cell in 12 bytes: grids of thousands of draws hold millions.
    struct StoredCell {
        std::uint32_t text : 24 = 0;            // index into texts_, 0 = empty
        std::uint32_t kind : 3 = 1;             // a CellKind
        std::uint32_t halign : 2 = 0;           // an HAlign
        std::uint32_t valign : 2 = 2;           // a VAlign
        std::uint32_t overflow : 1 = 0;         // text may overflow
        std::uint16_t fore = 0;                 // index into colors_ (0: black)
        std::uint16_t back = 1;                 // index into colors_ (1: white)
        std::uint8_t border[4] = {0, 0, 0, 0};  // index into pens_, 0 = none
    };
    struct Range {
        int c1 = 1, r1 = 1, c2 = 0, r2 = 0;
        bool empty() const { return c1 > c2 || r1 > r2; }
    };

    Range TargetRange() const;
    Range Clip(int c1, int r1, int c2, int r2) const;
    template <typename F>
    void ForEachTarget(F&& apply);
    StoredCell& At(int column, int row) {
        return cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
    }
    const StoredCell& At(int column, int row) const {
        return cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
    }
    void Resize(int columns, int rows);
    void DrawOutline(std::uint8_t pen);
    std::uint32_t Intern(std::string_view text);
    // Formats and interns a number not written before, keeping the index of
    // a small one at hand.
    std::uint32_t InternNumber(long long number);
    void RebuildTextSlots(std::size_t slotCount);
    std::uint8_t PenIndex(Pen pen);
    // Cells are mostly coloured one after the other in the same colour.
    std::uint16_t ColorIndex(Rgb color) {
        if (lastColor_ < colors_.size() && colors_[lastColor_] == color) return lastColor_;
        return FindColor(color);
    }
    std::uint16_t FindColor(Rgb color);

    int columns_ = 0;
    int rows_ = 0;
    int visibleColumns_ = 0;
    int visibleRows_ = 0;
    int frozenRows_ = 0;
    int frozenColumns_ = 0;
    int scrollBars_ = 3;
    bool columnHeadings_ = true;
    bool rowHeadings_ = true;
    bool blockMode_ = false;
    int selColumn_ = 1, selRow_ = 1, selColumn2_ = 1, selRow2_ = 1;
    int activeColumn_ = 1, activeRow_ = 1;
    std::vector<float> columnWidths_;  // index 0 unused
    std::vector<float> rowHeights_;    // index 0 unused
    std::vector<StoredCell> cells_;
    std::vector<std::string> texts_;
    // The look-up of texts while writing: open addressing over indices into
    // texts_, each slot holding an index plus one (0 = free), a power of two
    // in size and at most half full.  No allocation per distinct text.
    std::vector<std::uint32_t> textSlots_;
    // The text indices of small numbers written so far (0 = not yet): most
    // cells hold a count or a draw number, and these skip formatting and
    // hashing.
    std::vector<std::uint32_t> numberTexts_;
    std::uint32_t lastText_ = 0;  // the text interned last
    std::vector<Pen> pens_;
    std::vector<Rgb> colors_;      // the colours cells use, black and white first
    std::uint16_t lastColor_ = 0;  // the index ColorIndex found last
};
