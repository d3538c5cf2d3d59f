#include "prediction/PredictionModel.h"

#include "prediction/LoadDrawMatrix.h"
#include "prediction/ReflectionShift.h"
#include "prediction/UniqueWindowPrediction.h"

void PredictionModel::Load(const GlobalBas& g) {
    for (int index = 0; index < kPredictionGridCount; ++index) {
        grids_[index] = ResultGrid();
        SetUpPredictionGrid(index, grids_[index]);
        WritePredictionHeader(index, grids_[index]);
    }
    BuildPredictions(g);
}

void PredictionModel::BuildPredictions(const GlobalBas& g) {
    // Both tables start empty, so every opening shows the same result for
    // the same draws: a stale cycle entry would otherwise block hits of the
    // replay through the duplicate check.
    matrix_.Clear();
    cycles_.Clear();
    const DrawMatrixLoad load = LoadDrawMatrix(g.Draws, matrix_, cycles_);
    latest_ = load.latestDrawNumber;
    message_ = UnheldDrawsMessage(load.unheldDraws);
    loaded_ = true;
    RecomputePredictions();
}

void PredictionModel::SetOption(int index, bool reflect) {
    options_.SetFlag(index, reflect);
    if (!loaded_) return;
    ClearEliminationArea(grids_[kEliminationGrid]);
    RecomputePredictions();
}

std::int16_t PredictionModel::ReflectionShift() const { return ComputeReflectionShift(options_); }

void PredictionModel::RecomputePredictions() {
    ShowCycleTable(cycles_, grids_[kCycleGrid]);
    const int shift = ReflectionShift();
    PredictByElimination(matrix_, latest_, shift, candidates_, grids_[kEliminationGrid]);
    PredictRapidFire(matrix_, latest_, shift, grids_[kRapidFireGrid]);
    PredictOneShot(matrix_, latest_, shift, grids_[kOneShotGrid]);
}
