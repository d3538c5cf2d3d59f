#include "ui/BacktestChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/QtConversions.h"
#include "prediction/LotoChance.h"

namespace {

// Seven colours told apart easily, one per method, and black for chance.
constexpr std::array<QColor, kBacktestMethodCount> kMethodColors = {
    QColor(31, 119, 180),  QColor(255, 127, 14), QColor(44, 160, 44),  QColor(214, 39, 40),
    QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194)};
constexpr QColor kChanceColor(0, 0, 0);

constexpr double kPercent = 100.0;
constexpr double kShareStep = 10.0;  // the share axis ends on a multiple of this

}  // namespace

// The chart is handed over at construction: a chart set later would leave
// the view's own first chart unowned.
BacktestChart::BacktestChart(QWidget* parent) : QChartView(new QChart(), parent) {
    setObjectName("Chart1");
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    chart->setTitle(QStringLiteral("本数字と一致した個数ごとの割合（実際と偶然）"));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));

    auto* matchAxis = new QCategoryAxis();
    matchAxis->setTitleText(QStringLiteral("本数字と一致した個数"));
    matchAxis->setRange(-0.5, kTicketSize + 0.5);
    matchAxis->setStartValue(-0.5);
    for (int m = 0; m <= kTicketSize; ++m) {
        matchAxis->append(QStringLiteral("%1個").arg(m), m + 0.5);
    }
    shareAxis_ = new QValueAxis();
    shareAxis_->setTitleText(QStringLiteral("予想（行）に占める割合（%）"));
    shareAxis_->setLabelFormat("%.0f");
    chart->addAxis(matchAxis, Qt::AlignBottom);
    chart->addAxis(shareAxis_, Qt::AlignLeft);

    const auto add = [&](QLineSeries* series, const QString& name, const QPen& pen) {
        series->setName(name);
        series->setPen(pen);
        series->setPointsVisible(true);
        chart->addSeries(series);
        series->attachAxis(matchAxis);
        series->attachAxis(shareAxis_);
    };
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        methods_[method] = new QLineSeries();
        add(methods_[method], FromView(BacktestMethodName(method)), QPen(kMethodColors[method], 2));
    }
    chance_ = new QLineSeries();
    for (int m = 0; m <= kTicketSize; ++m) {
        chance_->append(m, kPercent * static_cast<double>(MainMatchProbability(kTicketSize, m)));
    }
    add(chance_, QStringLiteral("偶然（7個をでたらめに選んだとき）"),
        QPen(kChanceColor, 2, Qt::DashLine));
    FitShareAxis();
}

void BacktestChart::Show(const BacktestResult* result) {
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        QList<QPointF> points;
        const MethodScore* score = result ? &result->methods[method] : nullptr;
        if (score && score->tickets > 0) {
            for (int m = 0; m <= kTicketSize; ++m) {
                points.append(
                    {static_cast<double>(m), kPercent * score->matchCounts[m] / score->tickets});
            }
        }
        methods_[method]->replace(points);
    }
    FitShareAxis();
}

void BacktestChart::SetMethodShown(int method, bool shown) {
    methods_.at(method)->setVisible(shown);
    FitShareAxis();
}

void BacktestChart::FitShareAxis() {
    QList<const QLineSeries*> lines(methods_.begin(), methods_.end());
    lines << chance_;
    double highest = 0;
    for (const QLineSeries* series : lines) {
        if (!series->isVisible()) continue;
        for (const QPointF& point : series->points()) highest = std::max(highest, point.y());
    }
    const double top = std::max(kShareStep, std::ceil(highest / kShareStep) * kShareStep);
    shareAxis_->setRange(0, top);
    shareAxis_->setTickCount(static_cast<int>(top / kShareStep) + 1);
}
