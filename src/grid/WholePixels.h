#pragma once

#include <optional>

class QPainter;

// The whole-number pixel ratio at which `painter` maps its coordinates onto
// its device's pixels, moved by whole pixels and neither rotated, sheared nor
// scaled otherwise; none for any other mapping.  Where there is one, what is
// painted elsewhere at that ratio can be copied in pixel for pixel.
std::optional<int> WholePixelRatio(const QPainter& painter);
