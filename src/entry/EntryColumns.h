#pragma once

#include <QColor>
#include <array>
#include <cmath>
#include <string_view>

#include "core/DrawRecord.h"
#include "core/GridStyle.h"
#include "grid/QtColor.h"

// The entry grid's ten bound columns: the draw number, the seven main numbers
// and the two bonus numbers, with their widths (characters) and colours.
struct EntryColumn {
    std::string_view field;  // the bound field, also the column heading
    int widthChars;
    QColor fore;
    QColor back;  // invalid: the grid's default
    bool editable;
};

inline constexpr int kEntryColumnCount = 1 + kFieldCount;

inline const std::array<EntryColumn, kEntryColumnCount>& EntryColumns() {
    static const std::array<EntryColumn, kEntryColumnCount> columns = [] {
        std::array<EntryColumn, kEntryColumnCount> c{};
        c[0] = {kDrawNumberField, 5, ToQColor(kBlue), QColor(), false};
        for (int f = 0; f < kFieldCount; ++f) {
            const bool bonus = f == kBonus1 || f == kBonus2;
            c[1 + f] = {kNumberFields[f], 7, bonus ? ToQColor(kRed) : QColor(),
                        bonus ? ToQColor(kBonusCyan) : QColor(), true};
        }
        return c;
    }();
    return columns;
}

// Pixels each side of a column's characters.
inline constexpr int kEntryCellPadding = 2;

// A column's width in pixels: its characters, each as wide as the font's
// digit '0' (`digitWidth`), and the padding on both sides.
inline int EntryColumnWidth(int column, double digitWidth) {
    return static_cast<int>(
        std::lround(EntryColumns()[column].widthChars * digitWidth + 2 * kEntryCellPadding));
}
