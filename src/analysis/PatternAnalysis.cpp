#include "analysis/PatternAnalysis.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kPatternColumns = 13;
constexpr int kFirstCountColumn = 11;
constexpr int kSecondCountColumn = 12;
constexpr int kLetterColumn = 13;
constexpr int kHighestLow = 18;

struct PatternLetter {
    const char* letter;
    std::optional<Rgb> back;  // none: the cell keeps its background
};
constexpr PatternLetter kPatternLetters[8] = {
    {"A", std::nullopt}, {"B", kPaleCyan},    {"C", kPaleGreen},  {"D", kLightYellow},
    {"E", kWhite},       {"F", kPaleMagenta}, {"G", kHeaderPink}, {"H", kRed},
};

void ColourDataColumn(ResultGrid& grid, int column, std::optional<Rgb> fore, Rgb back) {
    FillBlock(grid, column, 2, column, grid.RowCount(), [fore, back](ResultGrid& gr) {
        if (fore) gr.SetForeColor(*fore);
        gr.SetBackColor(back);
    });
}

}  // namespace

bool IsFirstClass(PatternKind kind, int number) {
    return kind == PatternKind::LowHigh ? number <= kHighestLow : number % 2 == 0;
}

int PatternIndex(PatternKind kind, int firstClassCount) {
    return kind == PatternKind::LowHigh ? firstClassCount : kMainCount - firstClassCount;
}

void ShadeNumberCell(ResultGrid& grid, PatternKind kind, int number, int column, int row) {
    grid.SelectCell(column, row);
    if (IsFirstClass(kind, number)) {
        grid.SetBackColor(kPaleCyan);
    } else if (kind == PatternKind::EvenOdd) {
        grid.SetBackColor(kWhite);
    }
}

void WritePatternLetter(ResultGrid& grid, int index, int column, int row) {
    const PatternLetter& pattern = kPatternLetters[std::clamp(index, 0, kMainCount)];
    grid.WriteCell(column, row, pattern.letter);
    if (pattern.back) {
        grid.SelectCell(column, row);
        grid.SetBackColor(*pattern.back);
    }
}

void SetUpPatternGrid(const GlobalBas& g, ResultGrid& grid, int extraRows) {
    const int rows = CappedRowCount(g.LatestDrawNumber + extraRows + 1);
    ShapeDrawTable(grid, kPatternColumns, rows, 5);
    grid.SetRowHeight(1, 20);
    grid.SetColumnWidth(1, 6);
    grid.SetColumnWidth(kLetterColumn, 7);
    ColourDataColumn(grid, 1, kRed, kLightYellow);
    ColourDataColumn(grid, 9, std::nullopt, kLightYellow);
    ColourDataColumn(grid, 10, std::nullopt, kLightYellow);
    ColourDataColumn(grid, kFirstCountColumn, kBlue, kPaleCyan);
    ColourDataColumn(grid, kSecondCountColumn, kBlue, kWhite);
    grid.ActivateCell(0, 0);
}

void WritePatternHeader(ResultGrid& grid, int row, PatternKind kind) {
    FillBlock(grid, 2, row, 8, row, [](ResultGrid& gr) {
        gr.DrawBorder(ResultGrid::kBorderAll, 0);
        gr.DrawBorder(ResultGrid::kBorderOutline, 1);
    });
    FillBlock(grid, 1, row, kPatternColumns, row, [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetBackColor(kHeaderPink);
        gr.SetTextOverflow(true);
    });
    grid.SelectCell(5, row);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetVerticalAlign(ResultGrid::VAlign::Center);
    grid.WriteCell(5, row, "本 数 字");
    grid.SetRowHeight(row, 20);
    const bool lowHigh = kind == PatternKind::LowHigh;
    grid.WriteCell(1, row, "回数");
    grid.WriteCell(9, row, "ボ数1");
    grid.WriteCell(10, row, "ボ数2");
    grid.WriteCell(kFirstCountColumn, row, lowHigh ? "低数字" : "偶数");
    grid.WriteCell(kSecondCountColumn, row, lowHigh ? "高数字" : "奇数");
    grid.WriteCell(kLetterColumn, row, "パターン");
}

void FillPatternRows(const GlobalBas& g, ResultGrid& grid, PatternKind kind) {
    int row = 2;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        CheckRowFor(draw, row, grid.RowCount());
        grid.WriteCell(1, row, draw.drawNumber);
        int firstClass = 0;
        for (int k = 0; k < kMainCount; ++k) {
            grid.WriteCell(2 + k, row, draw.Main(k));
            ShadeNumberCell(grid, kind, draw.Main(k), 2 + k, row);
            if (IsFirstClass(kind, draw.Main(k))) ++firstClass;
        }
        grid.WriteCell(9, row, draw.Bonus1());
        grid.WriteCell(10, row, draw.Bonus2());
        grid.WriteCell(kFirstCountColumn, row, firstClass);
        grid.WriteCell(kSecondCountColumn, row, kMainCount - firstClass);
        WritePatternLetter(grid, PatternIndex(kind, firstClass), kLetterColumn, row);
        ++row;
    }
}

void BuildPatternAnalysis(const GlobalBas& g, ResultGrid& grid, PatternKind kind) {
    SetUpPatternGrid(g, grid, 0);
    WritePatternHeader(grid, 1, kind);
    FillPatternRows(g, grid, kind);
}

void BuildLowHighPatterns(const GlobalBas& g, ResultGrid& grid) {
    BuildPatternAnalysis(g, grid, PatternKind::LowHigh);
}

void BuildEvenOddPatterns(const GlobalBas& g, ResultGrid& grid) {
    BuildPatternAnalysis(g, grid, PatternKind::EvenOdd);
}
