#include "ui/Legend.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadialGradient>
#include <iterator>

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

namespace {

// One entry of a legend: the picture (a ball for a mark colour, a box for a
// background), its text, and what a cell of that colour means to a reader.
struct LegendEntry {
    Rgb colour;
    bool box;
    const char* text;
    const char* meaning;
    const char* copiedMark;
};

constexpr LegendEntry kBalls[] = {
    {kMainMark, false, "：本数字", "本数字", "●"},
    {kBonus1Mark, false, "：ボーナス数字1", "ボーナス数字1", "◎"},
    {kBonus2Mark, false, "：ボーナス数字2", "ボーナス数字2", "◎"},
};
constexpr LegendEntry kNoneMark = {kEmptyGroupGrey, true, "：該当する当選番号なし",
                                   "該当する当選番号なし", ""};
constexpr LegendEntry kCarryOver = {kCarryOverBox, true, ":前回の数字", "前回の数字", ""};

std::vector<LegendEntry> EntriesOf(Legend kind) {
    switch (kind) {
        case Legend::None:
            return {};
        case Legend::CarryOver:
            return {kCarryOver};
        case Legend::Balls:
            return {std::begin(kBalls), std::end(kBalls)};
        case Legend::BallsAndNoneMark: {
            std::vector<LegendEntry> entries(std::begin(kBalls), std::end(kBalls));
            entries.push_back(kNoneMark);
            return entries;
        }
    }
    return {};
}

}  // namespace

QWidget* MakeLegend(Legend kind, QWidget* parent) {
    const std::vector<LegendEntry> entries = EntriesOf(kind);
    if (entries.empty()) return nullptr;
    auto* legend = new QWidget(parent);
    legend->setObjectName("Legend");
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    for (const LegendEntry& entry : entries) {
        if (kind == Legend::CarryOver) {
            AddPicture(row, legend, FilledBox(entry.colour), QString::fromUtf8(entry.text),
                       "Label2", "Label3");
        } else {
            AddPicture(row, legend, entry.box ? FilledBox(entry.colour) : BallPicture(entry.colour),
                       QString::fromUtf8(entry.text), "Picture1");
        }
    }
    row->addStretch();
    return legend;
}

std::vector<CellMeaning> LegendMeanings(Legend kind) {
    std::vector<CellMeaning> meanings;
    for (const LegendEntry& entry : EntriesOf(kind)) {
        CellMeaning meaning;
        meaning.colour = entry.colour;
        meaning.background = entry.box;
        meaning.meaning = QString::fromUtf8(entry.meaning);
        meaning.copiedMark = QString::fromUtf8(entry.copiedMark);
        meanings.push_back(meaning);
    }
    return meanings;
}
