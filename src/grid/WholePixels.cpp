#include "grid/WholePixels.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

std::optional<int> WholePixelRatio(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (!device) return std::nullopt;
    const qreal ratio = device->devicePixelRatio();
    const QTransform toDevice = painter.deviceTransform();
    if (ratio != std::round(ratio) || toDevice.type() > QTransform::TxScale ||
        toDevice.m11() != ratio || toDevice.m22() != ratio ||
        toDevice.dx() != std::round(toDevice.dx()) || toDevice.dy() != std::round(toDevice.dy())) {
        return std::nullopt;
    }
    return static_cast<int>(ratio);
}
