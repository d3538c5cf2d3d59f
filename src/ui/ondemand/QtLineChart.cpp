#include "ui/ondemand/QtLineChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// 1, 2 or 5 times a power of ten: a step that cuts the span into at most
// about eight parts.
double RoundStep(double span) {
    if (!(span > 0)) return 1;
    const double rough = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) return m * power;
    }
    return 10 * power;
}

}  // namespace

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
    QAbstractAxis* categoryAxis = nullptr;
    if (setup.categories.isEmpty()) {
        numberAxis_ = new QValueAxis();
        numberAxis_->setTitleText(setup.categoryTitle);
        numberAxis_->setLabelFormat("%.0f");
        numberAxis_->setTickType(QValueAxis::TicksDynamic);
        categoryAxis = numberAxis_;
    } else {
        auto* categories = new QCategoryAxis();
        categories->setTitleText(setup.categoryTitle);
        const double last = static_cast<double>(setup.categories.size()) - 0.5;
        categories->setRange(-0.5, last);
        categories->setStartValue(-0.5);
        for (qsizetype i = 0; i < setup.categories.size(); ++i) {
            categories->append(setup.categories[i], static_cast<double>(i) + 0.5);
        }
        categoryAxis = categories;
    }
    valueAxis_ = new QValueAxis();
    valueAxis_->setTitleText(setup.valueTitle);
    valueAxis_->setLabelFormat("%.0f");
    // Labels of four or five digits are shown whole, never as "...".
    valueAxis_->setTruncateLabels(false);
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
    FitNumberAxis();
}

void QtLineChart::SetPoints(int line, const QList<QPointF>& points) {
    lines_.at(line)->replace(points);
    FitValueAxis();
    FitNumberAxis();
}

void QtLineChart::SetLineShown(int line, bool shown) {
    lines_.at(line)->setVisible(shown);
    FitValueAxis();
}

QList<QPointF> QtLineChart::Points(int line) const { return lines_.at(line)->points(); }

bool QtLineChart::LineShown(int line) const { return lines_.at(line)->isVisible(); }

double QtLineChart::ValueTop() const { return valueAxis_->max(); }

double QtLineChart::ValueBottom() const { return valueAxis_->min(); }

void QtLineChart::FitValueAxis() {
    double highest = 0;
    double lowest = 0;
    for (const QLineSeries* series : lines_) {
        if (!series->isVisible()) continue;
        for (const QPointF& point : series->points()) {
            highest = std::max(highest, point.y());
            lowest = std::min(lowest, point.y());
        }
    }
    const double step = valueStep_ > 0 ? valueStep_ : RoundStep(highest - lowest);
    const double top = std::max(step, std::ceil(highest / step) * step);
    const double bottom = std::min(0.0, std::floor(lowest / step) * step);
    valueAxis_->setRange(bottom, top);
    valueAxis_->setTickCount(static_cast<int>(std::lround((top - bottom) / step)) + 1);
}

void QtLineChart::FitNumberAxis() {
    if (!numberAxis_) return;
    double first = 0;
    double last = 0;
    bool any = false;
    for (const QLineSeries* series : lines_) {
        for (const QPointF& point : series->points()) {
            first = any ? std::min(first, point.x()) : point.x();
            last = any ? std::max(last, point.x()) : point.x();
            any = true;
        }
    }
    if (!any || last <= first) {
        first -= 1;
        last += 1;
    }
    const double step = std::max(1.0, RoundStep(last - first));
    numberAxis_->setRange(first, last);
    numberAxis_->setTickAnchor(std::floor(first / step) * step);
    numberAxis_->setTickInterval(step);
}
