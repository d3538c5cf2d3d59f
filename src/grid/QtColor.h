#pragma once

#include <QColor>

#include "core/Rgb.h"

// A grid colour as a Qt colour.
inline QColor ToQColor(Rgb c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
