#pragma once

#include <string>
#include <vector>

#include "core/ResultGrid.h"
#include "prediction/PredictionModel.h"
#include "support/TestSupport.h"

// The seven number cells (columns 2–8) of one grid row.
inline std::vector<std::string> NumberRow(const ResultGrid& grid, int row) {
    std::vector<std::string> cells;
    for (int column = 2; column <= 8; ++column) cells.push_back(grid.ReadCell(column, row));
    return cells;
}

// Seven cells: the given numbers, then empty cells.
inline std::vector<std::string> Row(std::vector<int> numbers) {
    std::vector<std::string> cells;
    for (int n : numbers) cells.push_back(std::to_string(n));
    cells.resize(7);
    return cells;
}

inline std::vector<std::string> AllTexts(const ResultGrid& grid) {
    std::vector<std::string> texts;
    for (int row = 1; row <= grid.RowCount(); ++row) {
        for (int column = 1; column <= grid.ColumnCount(); ++column) {
            texts.push_back(grid.ReadCell(column, row));
        }
    }
    return texts;
}

// Repeated every draw, these numbers give no cycle hit: the main numbers come
// back after one draw and the bonus numbers are never main numbers.
inline TestDraw Filler(int drawNumber, int slot = 0, int number = 0) {
    TestDraw d = Draw(drawNumber, {30, 31, 32, 33, 34, 35, 36, 37, 29});
    if (slot > 0) d.numbers[slot - 1] = number;
    return d;
}

inline PredictionModel LoadedModel(const std::vector<TestDraw>& draws, int shiftFlags = 0) {
    PredictionModel model;
    for (int i = 0; i < shiftFlags; ++i) model.SetOption(i, true);
    model.Load(MakeGlobals(draws));
    return model;
}
