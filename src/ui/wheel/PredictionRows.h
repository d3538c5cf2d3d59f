#pragma once

#include <QString>
#include <vector>

class PredictionModel;

// A row of the prediction window's grids that holds numbers: the method and
// the row's own heading, and its numbers in the row's order.
struct PredictionRow {
    QString label;
    std::vector<int> numbers;
};

// Every such row of the model's grids, grid by grid, top to bottom.  A row
// without a heading takes the last heading above it, or the grid's name.
std::vector<PredictionRow> PredictionRowsOf(const PredictionModel& model);
