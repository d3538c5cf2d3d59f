#include "ui/ondemand/QtBarChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>
#include <algorithm>

namespace {

QList<double> Values(const QBarSet* set) {
    QList<double> values;
    for (int i = 0; i < set->count(); ++i) values << set->at(i);
    return values;
}

}  // namespace

// The chart is handed over at construction: a chart set later would leave
// the view's own first chart unowned.
QtBarChart::QtBarChart(const BarChartSetup& setup, QWidget* parent)
    : QChartView(new QChart(), parent) {
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    observed_ = new QBarSet(setup.observedName);
    observed_->setColor(setup.observedColor);
    expected_ = new QBarSet(setup.expectedName);
    expected_->setColor(setup.expectedColor);
    auto* series = new QBarSeries();
    series->append(observed_);
    series->append(expected_);
    chart->addSeries(series);
    categories_ = new QBarCategoryAxis();
    valueAxis_ = new QValueAxis();
    valueAxis_->setLabelFormat("%.0f");
    valueAxis_->setTitleText(setup.valueTitle);
    chart->addAxis(categories_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    series->attachAxis(categories_);
    series->attachAxis(valueAxis_);
}

void QtBarChart::Show(const QString& title, const QStringList& categories,
                      const QList<double>& observed, const QList<double>& expected) {
    observed_->remove(0, observed_->count());
    expected_->remove(0, expected_->count());
    categories_->clear();
    chart()->setTitle(title);
    if (categories.isEmpty()) return;
    observed_->append(observed);
    expected_->append(expected);
    categories_->append(categories);
    double highest = 0;
    for (const QList<double>* values : {&observed, &expected}) {
        for (double value : *values) highest = std::max(highest, value);
    }
    valueAxis_->setRange(0, std::max(1.0, highest * 1.1));
    valueAxis_->applyNiceNumbers();
}

QString QtBarChart::Title() const { return chart()->title(); }

QStringList QtBarChart::Categories() const { return categories_->categories(); }

QList<double> QtBarChart::Observed() const { return Values(observed_); }

QList<double> QtBarChart::Expected() const { return Values(expected_); }
