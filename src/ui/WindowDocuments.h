#pragma once

#include <QFont>
#include <QString>
#include <array>

#include "core/AnalysisInfo.h"
#include "core/GlobalBas.h"
#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "grid/GridGeometry.h"
#include "prediction/PredictionModel.h"

// "第N回～第M回": the first and last complete draws of the snapshot; empty
// when it has none.
QString DrawRangeText(const DrawStore& draws);

// An analysis window's grid, as drawn by geometry.
GridDocument AnalysisDocument(const AnalysisInfo& info, const ResultGrid& grid,
                              const GridGeometry& geometry, const GlobalBas& snapshot);

// The prediction window's four grids under their labels, and, on paper, the
// twelve reflect options as a table (laid out in font at dpi).
GridDocument PredictionDocument(const PredictionModel& model,
                                const std::array<GridGeometry, kPredictionGridCount>& geometries,
                                const GlobalBas& snapshot, const QFont& font, double dpi);
