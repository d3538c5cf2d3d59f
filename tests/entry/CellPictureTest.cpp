#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QTableView>
#include <functional>

#include "entry/CellPicture.h"

namespace {

using Draw = std::function<void(QPainter&, const QStyleOptionViewItem&)>;

// `cell` drawn at (7, 5) on a grey image, through a painter moved by `move`.
QImage Painted(const QStyleOptionViewItem& cell, int ratio, const QTransform& move,
               const Draw& draw) {
    QImage image(QSize(90, 40) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(200, 60, 60));
    QPainter painter(&image);
    painter.setTransform(move);
    QStyleOptionViewItem placed = cell;
    placed.rect.moveTopLeft(QPoint(7, 5));
    draw(painter, placed);
    return image;
}

class CellPicture : public ::testing::Test {
  protected:
    QTableView view;
    void SetUp() override { QPixmapCache::clear(); }

    QStyleOptionViewItem Cell(const QString& text, QColor back) const {
        QStyleOptionViewItem cell;
        cell.initFrom(&view);
        cell.widget = &view;
        cell.rect = QRect(0, 0, 38, 16);
        cell.text = text;
        cell.features = QStyleOptionViewItem::HasDisplay;
        cell.displayAlignment = Qt::AlignCenter;
        cell.textElideMode = Qt::ElideRight;
        cell.font = view.font();
        if (back.isValid()) cell.backgroundBrush = back;
        return cell;
    }
    // Drawn through the picture twice (the second time from the cache) and
    // by the style itself, the cell looks the same.
    void ExpectDrawnAsTheStyleDraws(const QStyleOptionViewItem& cell, int ratio = 1,
                                    const QTransform& move = {}) const {
        const QStyle& style = *view.style();
        const QImage direct = Painted(cell, ratio, move, [&](QPainter& p, const auto& c) {
            style.drawControl(QStyle::CE_ItemViewItem, &c, &p, c.widget);
        });
        for (int round = 0; round < 2; ++round) {
            const QImage pictured = Painted(cell, ratio, move, [&](QPainter& p, const auto& c) {
                DrawItemViewCell(p, c, style);
            });
            EXPECT_EQ(pictured, direct) << cell.text.toStdString() << " state " << cell.state
                                        << " ratio " << ratio << " round " << round;
        }
    }
};

// One cache serves every cell: each case differs from the one before it in
// one thing the style reads, which the picture must not take from the last.
TEST_F(CellPicture, LooksExactlyAsTheStyleDrawsItFromTheCacheToo) {
    QStyleOptionViewItem cell = Cell(QStringLiteral("12"), QColor(224, 255, 255));
    ExpectDrawnAsTheStyleDraws(cell);
    cell.palette.setColor(QPalette::Text, Qt::red);
    ExpectDrawnAsTheStyleDraws(cell);
    cell.backgroundBrush = QColor(255, 255, 150);
    ExpectDrawnAsTheStyleDraws(cell);
    cell.state |= QStyle::State_Selected;
    ExpectDrawnAsTheStyleDraws(cell);
    cell.state |= QStyle::State_HasFocus;
    ExpectDrawnAsTheStyleDraws(cell);
    cell.state &= ~QStyle::State_Active;
    ExpectDrawnAsTheStyleDraws(cell);
    cell.text = QStringLiteral("13");
    ExpectDrawnAsTheStyleDraws(cell);
    cell.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    ExpectDrawnAsTheStyleDraws(cell);
    cell.rect.setWidth(12);  // too narrow: the text is cut short with an ellipsis
    cell.text = QStringLiteral("第5000回");
    ExpectDrawnAsTheStyleDraws(cell);
    ExpectDrawnAsTheStyleDraws(cell, 2);
    ExpectDrawnAsTheStyleDraws(cell, 1, QTransform::fromTranslate(-3, 11));
}

// What shows through or is drawn between pixels is left to the style.
TEST_F(CellPicture, CellsThatAreNotOpaqueOrNotOnWholePixelsAreDrawnByTheStyle) {
    const QStyleOptionViewItem clear = Cell(QStringLiteral("7"), QColor());
    ExpectDrawnAsTheStyleDraws(clear);
    QStyleOptionViewItem seeThrough = Cell(QStringLiteral("7"), QColor(0, 0, 255, 100));
    ExpectDrawnAsTheStyleDraws(seeThrough);
    const QStyleOptionViewItem solid = Cell(QStringLiteral("7"), QColor(224, 255, 255));
    ExpectDrawnAsTheStyleDraws(solid, 1, QTransform::fromScale(1.5, 1.5));
    ExpectDrawnAsTheStyleDraws(solid, 1, QTransform::fromTranslate(0.5, 0));
}

}  // namespace
