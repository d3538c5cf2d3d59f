#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/GridDump.h"
#include "core/ResultGrid.h"
#include "grid/GridGeometry.h"

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
