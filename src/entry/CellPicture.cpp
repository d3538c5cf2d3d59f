#include "entry/CellPicture.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QWidget>
#include <optional>

#include "grid/WholePixels.h"

namespace {

// The whole-number pixel ratio at which a picture of the cell can be copied
// pixel for pixel into what `painter` paints, if there is one.
std::optional<int> CopyRatio(const QPainter& painter) {
    if (painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.worldTransform().type() > QTransform::TxTranslate) {
        return std::nullopt;
    }
    return WholePixelRatio(painter);
}

bool CoversItsRectangle(const QStyleOptionViewItem& cell) {
    return cell.backgroundBrush.style() == Qt::SolidPattern &&
           cell.backgroundBrush.color().alpha() == 255 && cell.icon.isNull() &&
           !(cell.features & QStyleOptionViewItem::HasCheckIndicator) &&
           !(cell.state & QStyle::State_Editing);
}

// The colour group the style draws the cell in.
QPalette::ColorGroup DrawnGroup(const QStyleOptionViewItem& cell) {
    if (!(cell.state & QStyle::State_Enabled)) return QPalette::Disabled;
    return cell.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

// Everything the style reads to draw the cell: its text as it stands, the
// rest as a hash, since a key spelt out in full cost over a third of what
// drawing the cell does.  The style takes its colours from the group the
// cell's state picks and, for the focus frame, from the palette's current
// group.
QString PictureKey(const QStyleOptionViewItem& cell, const QStyle& style, const QPainter& painter,
                   int ratio, int dpi) {
    size_t hash =
        qHashMulti(0, &style, cell.widget, cell.rect.width(), cell.rect.height(), ratio, dpi,
                   cell.state.toInt(), cell.features.toInt(), cell.displayAlignment.toInt(),
                   painter.renderHints().toInt(), int(cell.textElideMode), int(cell.direction),
                   int(cell.viewItemPosition), cell.showDecorationSelected,
                   cell.backgroundBrush.color().rgba(), cell.font);
    const QPalette::ColorGroup groups[] = {DrawnGroup(cell), cell.palette.currentColorGroup()};
    for (const QPalette::ColorGroup group : groups) {
        hash = qHashMulti(hash, int(group));
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            hash = qHashMulti(hash, cell.palette.color(group, QPalette::ColorRole(role)).rgba());
        }
    }
    return QStringLiteral("loto7-item|") + QString::number(hash, 36) + QLatin1Char('|') + cell.text;
}

void PaintPicture(QPixmap& picture, const QStyleOptionViewItem& cell, const QStyle& style,
                  const QPainter& painter) {
    picture.fill(cell.backgroundBrush.color());
    QPainter onPicture(&picture);
    onPicture.setRenderHints(painter.renderHints());
    onPicture.translate(-cell.rect.topLeft());
    style.drawControl(QStyle::CE_ItemViewItem, &cell, &onPicture, cell.widget);
}

}  // namespace

void DrawItemViewCell(QPainter& painter, const QStyleOptionViewItem& cell, const QStyle& style) {
    const std::optional<int> ratio = CopyRatio(painter);
    if (!ratio || !CoversItsRectangle(cell) || cell.rect.isEmpty()) {
        style.drawControl(QStyle::CE_ItemViewItem, &cell, &painter, cell.widget);
        return;
    }
    const int dpi = painter.device()->logicalDpiY();
    const QString key = PictureKey(cell, style, painter, *ratio, dpi);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(cell.rect.size() * *ratio);
        picture.setDevicePixelRatio(*ratio);
        // A style may set text at the resolution of the device it draws on:
        // on a device of another resolution than pictures have, the cell is
        // drawn there and no picture is painted in vain.
        if (picture.logicalDpiY() != dpi) {
            style.drawControl(QStyle::CE_ItemViewItem, &cell, &painter, cell.widget);
            return;
        }
        PaintPicture(picture, cell, style, painter);
        QPixmapCache::insert(key, picture);
    }
    painter.drawPixmap(cell.rect.topLeft(), picture);
}
