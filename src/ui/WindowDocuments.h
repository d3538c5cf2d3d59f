#pragma once

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QRectF>
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

// An analysis window's grid, as drawn by geometry; drawRange is that of the
// draws the grid was computed from (DrawRangeText).
GridDocument AnalysisDocument(const AnalysisInfo& info, const ResultGrid& grid,
                              const GridGeometry& geometry, const QString& drawRange);

// The prediction window's four grids under their labels, and, on paper, the
// twelve reflect options as a table (laid out in font at dpi).
GridDocument PredictionDocument(const PredictionModel& model,
                                const std::array<GridGeometry, kPredictionGridCount>& geometries,
                                const QString& drawRange, const QFont& font, double dpi);

// Prints (and saves as PDF) the chart widget after the document's grids, as
// it is shown and with the shape it has on screen; nothing while the widget
// has no width.  The widget needs Render(QPainter&, const QRectF&).
template <typename ChartWidget>
void AddChartPicture(GridDocument& document, ChartWidget* chart) {
    if (!chart || chart->width() <= 0) return;
    document.pictureAspect = static_cast<double>(chart->height()) / chart->width();
    document.paintPicture = [held = QPointer<ChartWidget>(chart)](QPainter& p,
                                                                  const QRectF& target) {
        if (held) held->Render(p, target);
    };
}
