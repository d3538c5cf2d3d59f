#include "ui/ondemand/QtLineChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

// The chart is handed over at construction: a chart set later would leave
// the view's own first chart unowned.
QtLineChart::QtLineChart(const LineChartSetup& setup, QWidget* parent)
    : QChartView(new QChart(), parent), valueStep_(setup.valueStep) {
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    chart->setTitle(setup.title);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));

    // Each category is the band from half a step before its x to half after.
    auto* categoryAxis = new QCategoryAxis();
    categoryAxis->setTitleText(setup.categoryTitle);
    const double last = static_cast<double>(setup.categories.size()) - 0.5;
    categoryAxis->setRange(-0.5, last);
    categoryAxis->setStartValue(-0.5);
    for (qsizetype i = 0; i < setup.categories.size(); ++i) {
        categoryAxis->append(setup.categories[i], static_cast<double>(i) + 0.5);
    }
    valueAxis_ = new QValueAxis();
    valueAxis_->setTitleText(setup.valueTitle);
    valueAxis_->setLabelFormat("%.0f");
    chart->addAxis(categoryAxis, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);

    for (const ChartLine& line : setup.lines) {
        auto* series = new QLineSeries();
        series->setName(line.name);
        series->setPen(QPen(line.color, 2, line.dashed ? Qt::DashLine : Qt::SolidLine));
        series->setPointsVisible(true);
        chart->addSeries(series);
        series->attachAxis(categoryAxis);
        series->attachAxis(valueAxis_);
        lines_.push_back(series);
    }
    FitValueAxis();
}

void QtLineChart::SetPoints(int line, const QList<QPointF>& points) {
    lines_.at(line)->replace(points);
    FitValueAxis();
}

void QtLineChart::SetLineShown(int line, bool shown) {
    lines_.at(line)->setVisible(shown);
    FitValueAxis();
}

QList<QPointF> QtLineChart::Points(int line) const { return lines_.at(line)->points(); }

bool QtLineChart::LineShown(int line) const { return lines_.at(line)->isVisible(); }

double QtLineChart::ValueTop() const { return valueAxis_->max(); }

void QtLineChart::FitValueAxis() {
    double highest = 0;
    for (const QLineSeries* series : lines_) {
        if (!series->isVisible()) continue;
        for (const QPointF& point : series->points()) highest = std::max(highest, point.y());
    }
    const double top = std::max(valueStep_, std::ceil(highest / valueStep_) * valueStep_);
    valueAxis_->setRange(0, top);
    valueAxis_->setTickCount(static_cast<int>(std::lround(top / valueStep_)) + 1);
}
