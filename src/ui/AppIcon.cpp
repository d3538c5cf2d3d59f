#include "ui/AppIcon.h"

#include <QPainter>

#include "core/GridStyle.h"
#include "ui/Legend.h"

QIcon AppIcon() {
    QPixmap icon(48, 48);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 200));
    p.setPen(QPen(QColor(136, 196, 255), 2));
    p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    p.drawPixmap(6, 8, BallPicture(kMainMark));
    p.drawPixmap(24, 6, BallPicture(kMainMark));
    p.drawPixmap(15, 24, BallPicture(kBonus1Mark));
    p.drawPixmap(30, 25, BallPicture(kBonus2Mark));
    p.end();
    return QIcon(icon);
}
