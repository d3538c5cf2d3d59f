#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "core/AnalysisInfo.h"
#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "core/ResultGrid.h"
#include "prediction/PredictionModel.h"
#include "ui/GridGeometry.h"

class QPainter;

// What a window prints and saves of its grids: each grid as it is drawn
// (its geometry) under its label, the caption and the draws it is made
// from for the page header, the grids a CSV file holds, and a picture to
// print after the grids.
struct GridDocument {
    struct Part {
        QString label;  // above the grid; empty for none
        const ResultGrid* grid = nullptr;
        GridGeometry geometry;
        bool paperOnly = false;  // printed (and in PDF), not in the image
    };

    QString caption;    // the window's caption, atop every page; names the files
    QString drawRange;  // "第1回～第689回", or empty when there are no draws
    std::vector<Part> parts;
    std::vector<NamedGrid> csv;  // what `dump --format csv` writes for the window
    double pictureAspect = 0;    // height over width; 0: no picture
    std::function<void(QPainter&, const QRectF&)> paintPicture;
    std::vector<std::unique_ptr<ResultGrid>> ownGrids;  // grids made for the document
};

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

// The back-test window's table (the chart is added by the window).
GridDocument BacktestDocument(const ResultGrid& grid, const GridGeometry& geometry,
                              const GlobalBas& snapshot);
