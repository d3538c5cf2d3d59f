#include "ui/Legend.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadialGradient>

#include "core/GridStyle.h"
#include "grid/QtColor.h"

namespace {

constexpr int kBallSize = 19;
constexpr Rgb kCarryOverBox = MakeRgb(128, 255, 255);

void AddPicture(QHBoxLayout* row, QWidget* parent, const QPixmap& picture, const QString& text,
                const QString& pictureName, const QString& labelName = QString()) {
    auto* image = new QLabel(parent);
    image->setObjectName(pictureName);
    image->setPixmap(picture);
    image->setFixedSize(picture.size());
    auto* label = new QLabel(text, parent);
    label->setObjectName(labelName);
    row->addWidget(image);
    row->addWidget(label);
    row->addSpacing(12);
}

QPixmap FilledBox(Rgb color) {
    QPixmap box(kBallSize, kBallSize);
    box.fill(ToQColor(color));
    QPainter p(&box);
    p.setPen(Qt::black);
    p.drawRect(0, 0, kBallSize - 1, kBallSize - 1);
    return box;
}

}  // namespace

QPixmap BallPicture(Rgb color) {
    QPixmap ball(kBallSize, kBallSize);
    ball.fill(Qt::transparent);
    QPainter p(&ball);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = ToQColor(color);
    QRadialGradient shine(QPointF(6.5, 6.0), 12.0);
    shine.setColorAt(0.0, base.lighter(160));
    shine.setColorAt(1.0, base);
    p.setBrush(shine);
    p.setPen(QPen(base.darker(130), 1));
    p.drawEllipse(QRectF(0.5, 0.5, kBallSize - 1.0, kBallSize - 1.0));
    return ball;
}

QWidget* MakeLegend(Legend kind, QWidget* parent) {
    if (kind == Legend::None) return nullptr;
    auto* legend = new QWidget(parent);
    legend->setObjectName("Legend");
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    if (kind == Legend::CarryOver) {
        AddPicture(row, legend, FilledBox(kCarryOverBox), QStringLiteral(":前回の数字"), "Label2",
                   "Label3");
    } else {
        AddPicture(row, legend, BallPicture(kMainMark), QStringLiteral("：本数字"), "Picture1");
        AddPicture(row, legend, BallPicture(kBonus1Mark), QStringLiteral("：ボーナス数字1"),
                   "Picture1");
        AddPicture(row, legend, BallPicture(kBonus2Mark), QStringLiteral("：ボーナス数字2"),
                   "Picture1");
        if (kind == Legend::BallsAndNoneMark) {
            AddPicture(row, legend, FilledBox(kEmptyGroupGrey),
                       QStringLiteral("：該当する当選番号なし"), "Picture1");
        }
    }
    row->addStretch();
    return legend;
}
