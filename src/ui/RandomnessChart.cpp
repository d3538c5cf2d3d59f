#include "ui/RandomnessChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>
#include <algorithm>

namespace {

const QColor kObservedColor(31, 119, 180);
const QColor kExpectedColor(190, 190, 190);

}  // namespace

// The chart is handed over at construction: a chart set later would leave
// the view's own first chart unowned.
RandomnessChart::RandomnessChart(QWidget* parent) : QChartView(new QChart(), parent) {
    setObjectName("Chart1");
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    observed_ = new QBarSet(QStringLiteral("実際の当選データ"));
    observed_->setColor(kObservedColor);
    expected_ = new QBarSet(QStringLiteral("公平な抽せんの期待値"));
    expected_->setColor(kExpectedColor);
    series_ = new QBarSeries();
    series_->append(observed_);
    series_->append(expected_);
    chart->addSeries(series_);
    categories_ = new QBarCategoryAxis();
    countAxis_ = new QValueAxis();
    countAxis_->setLabelFormat("%.0f");
    countAxis_->setTitleText(QStringLiteral("回数"));
    chart->addAxis(categories_, Qt::AlignBottom);
    chart->addAxis(countAxis_, Qt::AlignLeft);
    series_->attachAxis(categories_);
    series_->attachAxis(countAxis_);
}

void RandomnessChart::Show(const RandomnessResult* result, int test) {
    observed_->remove(0, observed_->count());
    expected_->remove(0, expected_->count());
    categories_->clear();
    if (!result || test < 0 || test >= kRandomnessTestCount) {
        chart()->setTitle({});
        return;
    }
    chart()->setTitle(QString::fromUtf8(RandomnessTestName(test)) +
                      QStringLiteral("（実際と公平な抽せんの期待値）"));
    QStringList labels;
    double highest = 0;
    for (const ChartBar& bar : result->tests[test].bars) {
        labels << QString::fromStdString(bar.label);
        observed_->append(bar.observed);
        expected_->append(bar.expected);
        highest = std::max({highest, bar.observed, bar.expected});
    }
    categories_->append(labels);
    countAxis_->setRange(0, std::max(1.0, highest * 1.1));
    countAxis_->applyNiceNumbers();
}
