#pragma once

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// The two pattern windows: the seven main numbers of every complete draw are
// split into two classes, counted, and given a letter "A" … "H" from the count.
enum class PatternKind {
    LowHigh,  // 低数字高数字の組合せパターン分析: low 1–18 against high 19–37
    EvenOdd,  // 偶数奇数の組合せパターン分析: even against odd
};

void BuildPatternAnalysis(const GlobalBas& g, ResultGrid& grid, PatternKind kind);
// The builds of the two windows.
void BuildLowHighPatterns(const GlobalBas& g, ResultGrid& grid);
void BuildEvenOddPatterns(const GlobalBas& g, ResultGrid& grid);

void SetUpPatternGrid(const GlobalBas& g, ResultGrid& grid, int extraRows);
void WritePatternHeader(ResultGrid& grid, int row, PatternKind kind);
void FillPatternRows(const GlobalBas& g, ResultGrid& grid, PatternKind kind);

// True when the number belongs to the first class (low, or even).
bool IsFirstClass(PatternKind kind, int number);
// The pattern index 0 … 7 of a draw whose first-class count is given.
int PatternIndex(PatternKind kind, int firstClassCount);
// Colours a main-number cell by its class.
void ShadeNumberCell(ResultGrid& grid, PatternKind kind, int number, int column, int row);
// Writes the letter of a pattern index and sets the cell's background.
void WritePatternLetter(ResultGrid& grid, int index, int column, int row);
