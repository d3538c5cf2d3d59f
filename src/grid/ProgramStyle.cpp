#include "grid/ProgramStyle.h"

#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "grid/WholePixels.h"

namespace {

// How far beyond its rectangle a style may paint a control: Fusion's
// scroll bar slider reaches a pixel or two past it.
constexpr int kSpill = 8;

// The direction in which a scroll bar runs long: its own.
std::optional<Qt::Orientation> LongDirection(QStyle::ComplexControl control,
                                             const QStyleOptionComplex& option) {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(&option);
    if (control == QStyle::CC_ScrollBar && bar) return bar->orientation;
    return std::nullopt;
}

int LengthAlong(const QRect& rect, Qt::Orientation along) {
    return along == Qt::Horizontal ? rect.width() : rect.height();
}

// The part of `area` from `from` to `from + length` along `along`.
QRect Band(const QRect& area, Qt::Orientation along, int from, int length) {
    const QRect band = along == Qt::Horizontal
                           ? QRect(area.left() + from, area.top(), length, area.height())
                           : QRect(area.left(), area.top() + from, area.width(), length);
    return band & area;
}

// The image `painter` paints into, when it can be read and painted in bands:
// a raster image, reached through a translation and a whole-number pixel
// ratio only.
const QImage* BandableTarget(const QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    const std::optional<int> ratio = WholePixelRatio(painter);
    if (!ratio || device->devicePixelRatio() != *ratio) return nullptr;
    return static_cast<const QImage*>(device);
}

// How long a band is at the target's pixel ratio: `kBandLength` pixels.
int BandLength(const QImage& target) {
    return std::max(1, ProgramStyle::kBandLength / qRound(target.devicePixelRatio()));
}

// `to` with the pen, brush, font and modes of `from`, as a style finds them
// when it starts to paint.
void TakeState(QPainter& to, const QPainter& from) {
    to.setRenderHints(from.renderHints());
    to.setPen(from.pen());
    to.setBrush(from.brush());
    to.setBrushOrigin(from.brushOrigin());
    to.setFont(from.font());
    to.setBackground(from.background());
    to.setBackgroundMode(from.backgroundMode());
    to.setLayoutDirection(from.layoutDirection());
    to.setOpacity(from.opacity());
    to.setCompositionMode(from.compositionMode());
}

}  // namespace

ProgramStyle::ProgramStyle(const QString& baseName) : QProxyStyle(baseName) {}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    const std::optional<Qt::Orientation> along =
        option && painter ? LongDirection(control, *option) : std::nullopt;
    const QImage* target = along && LengthAlong(option->rect, *along) > kBandLength
                               ? BandableTarget(*painter)
                               : nullptr;
    if (target) {
        DrawInBands(control, *option, *along, *painter, *target, widget);
    } else {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
}

// A group box's frame is a picture stretched down its sides (the title and
// the check box above it are short).  The style sets no clip of its own
// there, so each band is painted in place, under a clip to the band.
void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    const QImage* target =
        element == PE_FrameGroupBox && option && painter && option->rect.height() > kBandLength
            ? BandableTarget(*painter)
            : nullptr;
    if (!target) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const int bandLength = BandLength(*target);
    const QRect area = option->rect.adjusted(-kSpill, -kSpill, kSpill, kSpill);
    for (int from = 0; from < area.height(); from += bandLength) {
        painter->save();
        painter->setClipRect(Band(area, Qt::Vertical, from, bandLength), Qt::IntersectClip);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->restore();
    }
}

// Each band is painted by the base style in a copy of the target, with the
// painter clipped to the band, and copied back.  The bands cover the control
// and what the style may paint around it.  The style paints the whole
// control each time, over the same pixels as it would in place, and in its
// own order: a part may leave its pen or brush to the next, and a clip the
// style sets itself, which may reach beyond the band, lands only in the
// copy.  What goes back replaces the band's pixels, as far as the painter's
// own clip lets it.
//
// A tall control's copy is its band alone, so that no fill, even under the
// style's own clip, runs longer than the band.  A wide one's copy is the
// whole control: its long lines cut short at the edge of a narrower image
// come out a pixel different here and there, cut by a clip they do not.
void ProgramStyle::DrawInBands(ComplexControl control, const QStyleOptionComplex& option,
                               Qt::Orientation along, QPainter& painter, const QImage& target,
                               const QWidget* widget) const {
    const int ratio = qRound(target.devicePixelRatio());
    const int bandLength = BandLength(target);
    const QPoint offset(qRound(painter.deviceTransform().dx()),
                        qRound(painter.deviceTransform().dy()));
    const QRect area = option.rect.adjusted(-kSpill, -kSpill, kSpill, kSpill);
    for (int from = 0; from < LengthAlong(area, along); from += bandLength) {
        const QRect band = Band(area, along, from, bandLength);
        const QRect copied = along == Qt::Horizontal ? area : band;
        const QRect pixels =
            QRect(copied.topLeft() * ratio + offset, copied.size() * ratio) & target.rect();
        if (pixels.isEmpty()) continue;
        QImage image = target.copy(pixels);
        image.setDevicePixelRatio(ratio);
        const QPointF origin = QPointF(pixels.topLeft() - offset) / ratio;
        {
            QPainter bandPainter(&image);
            TakeState(bandPainter, painter);
            bandPainter.translate(-origin);
            bandPainter.setClipRect(band);
            QProxyStyle::drawComplexControl(control, &option, &bandPainter, widget);
        }
        const QRectF inImage((QPointF(band.topLeft()) - origin) * ratio,
                             QSizeF(band.size()) * ratio);
        painter.save();
        painter.setOpacity(1.0);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRectF(band), image, inImage);
        painter.restore();
    }
}

// Every MDI child window asks for the four icons of its system menu as it is
// made, and the base style decodes each anew.  Asked without an option, the
// icon depends only on the layout direction.
QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (option) return QProxyStyle::standardIcon(icon, option, widget);
    const Qt::LayoutDirection direction =
        widget ? widget->layoutDirection() : QGuiApplication::layoutDirection();
    const auto key = std::pair(icon, direction);
    const auto found = icons_.find(key);
    if (found != icons_.end()) return found->second;
    return icons_.emplace(key, QProxyStyle::standardIcon(icon, option, widget)).first->second;
}

QString BaseStyleName(const QStyle& style) {
    const auto* proxy = qobject_cast<const QProxyStyle*>(&style);
    return proxy && proxy->baseStyle() ? proxy->baseStyle()->name() : style.name();
}
