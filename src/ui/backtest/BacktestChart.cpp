#include "ui/backtest/BacktestChart.h"

#include "core/QtConversions.h"
#include "lotto/LotoChance.h"
#include "ui/ChartHolder.h"
#include "ui/ChartLibrary.h"

namespace {

// Seven colours told apart easily, one per method, and black for chance.
constexpr std::array<QColor, kBacktestMethodCount> kMethodColors = {
    QColor(31, 119, 180),  QColor(255, 127, 14), QColor(44, 160, 44),  QColor(214, 39, 40),
    QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194)};
constexpr QColor kChanceColor(0, 0, 0);

constexpr double kPercent = 100.0;
constexpr int kChanceLine = kBacktestMethodCount;

LineChartSetup SharesChart() {
    LineChartSetup setup{.title = QStringLiteral("本数字と一致した個数ごとの割合（実際と偶然）"),
                         .categoryTitle = QStringLiteral("本数字と一致した個数"),
                         .categories = {},
                         .valueTitle = QStringLiteral("予想（行）に占める割合（%）"),
                         .valueStep = 10.0,
                         .lines = {}};
    for (int m = 0; m <= kTicketSize; ++m) setup.categories << QStringLiteral("%1個").arg(m);
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        setup.lines.push_back({FromView(BacktestMethodName(method)), kMethodColors[method], false});
    }
    setup.lines.push_back(
        {QStringLiteral("偶然（7個をでたらめに選んだとき）"), kChanceColor, true});
    return setup;
}

QList<QPointF> ChanceShares() {
    QList<QPointF> points;
    for (int m = 0; m <= kTicketSize; ++m) {
        points.append({static_cast<double>(m),
                       kPercent * static_cast<double>(MainMatchProbability(kTicketSize, m))});
    }
    return points;
}

}  // namespace

BacktestChart::BacktestChart(QWidget* parent) : QWidget(parent) {
    setObjectName("Chart1");
    lines_ = MakeLineChart(SharesChart(), this);
    HoldChart(this, lines_);
    if (lines_) lines_->SetPoints(kChanceLine, ChanceShares());
}

void BacktestChart::Show(const BacktestResult* result) {
    if (!lines_) return;
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        QList<QPointF> points;
        const MethodScore* score = result ? &result->methods[method] : nullptr;
        if (score && score->tickets > 0) {
            for (int m = 0; m <= kTicketSize; ++m) {
                points.append(
                    {static_cast<double>(m), kPercent * score->matchCounts[m] / score->tickets});
            }
        }
        lines_->SetPoints(method, points);
    }
}

void BacktestChart::SetMethodShown(int method, bool shown) {
    if (lines_) lines_->SetLineShown(method, shown);
}

void BacktestChart::Render(QPainter& painter, const QRectF& target) {
    RenderHeldChart(this, lines_, painter, target);
}
