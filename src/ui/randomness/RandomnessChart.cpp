#include "ui/randomness/RandomnessChart.h"

#include "ui/ChartHolder.h"
#include "ui/ChartLibrary.h"

RandomnessChart::RandomnessChart(QWidget* parent) : QWidget(parent) {
    setObjectName("Chart1");
    bars_ = MakeBarChart({.observedName = QStringLiteral("実際の当選データ"),
                          .observedColor = QColor(31, 119, 180),
                          .expectedName = QStringLiteral("公平な抽せんの期待値"),
                          .expectedColor = QColor(190, 190, 190),
                          .valueTitle = QStringLiteral("回数")},
                         this);
    HoldChart(this, bars_);
}

void RandomnessChart::Show(const RandomnessResult* result, int test) {
    if (!bars_) return;
    if (!result || test < 0 || test >= kRandomnessTestCount) {
        bars_->Show({}, {}, {}, {});
        return;
    }
    QStringList categories;
    QList<double> observed;
    QList<double> expected;
    for (const ChartBar& bar : result->tests[test].bars) {
        categories << QString::fromStdString(bar.label);
        observed << bar.observed;
        expected << bar.expected;
    }
    bars_->Show(QString::fromUtf8(RandomnessTestName(test)) +
                    QStringLiteral("（実際と公平な抽せんの期待値）"),
                categories, observed, expected);
}

void RandomnessChart::Render(QPainter& painter, const QRectF& target) {
    RenderHeldChart(this, bars_, painter, target);
}
