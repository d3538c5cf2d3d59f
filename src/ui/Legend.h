#pragma once

#include <QWidget>

#include "core/AnalysisInfo.h"

// A 19 × 19 pixel picture of a coloured ball, as the chart legends show.
QPixmap BallPicture(Rgb color);

// The legend row a window shows beside its grid (empty for Legend::None).
QWidget* MakeLegend(Legend kind, QWidget* parent);
