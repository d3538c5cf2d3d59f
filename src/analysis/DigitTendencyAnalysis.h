#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// Shared by the two last-digit windows: the units digit of a number, the
// column that shows it and the common grid layout.
inline constexpr int kDigitCount = 10;
inline constexpr int kDigitGridColumns = kDigitCount + 1;
// The last digit of a number, or none for a negative number (it has no slot).
inline std::optional<int> LastDigit(int number) {
    if (number < 0) return std::nullopt;
    return number % 10;
}
inline constexpr int DigitColumn(int digit) { return digit + 2; }

// 11 columns of 5 characters, rows 10 points high, `rows` rows (cut to the
// largest row a grid may have), 29 × 52 visible, two frozen rows, a vertical
// scroll bar, every cell display-only and centred.
void LayOutDigitGrid(ResultGrid& grid, int rows);
// The heading over the digit columns: 43 blanks, "下一桁数字", 27 blanks,
// three ideographic spaces and 18 blanks (96 characters).
std::string DigitTitle();
// "回数" in column 1 and the heading in column 2 (left-aligned, running on
// into the empty cells to its right) of a title row 20 points high.
void WriteDigitTitleRow(ResultGrid& grid, int row);
// The digits "0" … "9" in columns 2 … 11 of the row.
void WriteDigitNames(ResultGrid& grid, int row);

// 下一桁出現傾向分析: one row per complete draw; column d + 2 holds the digit d
// once for every drawn number ending in d, coloured by how many there are.
using DigitSlots = std::array<std::string, kDigitCount>;

void BuildDigitTable(const GlobalBas& g, ResultGrid& grid);
void SetUpDigitGrid(const GlobalBas& g, ResultGrid& grid, int headerCount);
void WriteDigitHeader(ResultGrid& grid, int startRow, bool bottom);
void FillDigitRows(const GlobalBas& g, ResultGrid& grid);
void AddDigit(DigitSlots& slots, int digit);
void ColourBySlotLength(ResultGrid& grid, std::string_view slot, int column, int row);
