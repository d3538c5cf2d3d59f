#pragma once

#include <QWidget>
#include <vector>

#include "core/AnalysisInfo.h"
#include "grid/GridModel.h"

// A 19 × 19 pixel picture of a coloured ball, as the chart legends show.
QPixmap BallPicture(Rgb color);

// The legend row a window shows beside its grid (empty for Legend::None).
QWidget* MakeLegend(Legend kind, QWidget* parent);

// What the legend's colours mean in the window's grid, for its readers and
// its plain-text copy (bonus marks copy as 「◎」, main-number marks as 「●」).
std::vector<CellMeaning> LegendMeanings(Legend kind);
