#include "ui/tickets/BalanceChart.h"

#include "core/PurchasedTicket.h"
#include "lotto/TicketWorth.h"
#include "ui/ChartHolder.h"
#include "ui/ChartLibrary.h"

namespace {

LineChartSetup BalanceSetup() {
    return {.title = QStringLiteral("収支の推移（当選額 − 購入額の累計）"),
            .categoryTitle = QStringLiteral("回"),
            .categories = {},
            .valueTitle = QStringLiteral("万円"),
            .valueStep = 0,
            .lines = {{QStringLiteral("収支（入力済みの当選額）"), QColor(214, 39, 40), false},
                      {QStringLiteral("収支（概算を含む）"), QColor(255, 127, 14), true},
                      {QStringLiteral("でたらめに買ったときの期待（購入額の−55 %）"),
                       QColor(0, 0, 0), true}}};
}

}  // namespace

std::int64_t ExpectedBalanceOf(std::int64_t spent) {
    // Whole tickets: 135 of every 300 yen come back.
    return spent / kTicketUnitPrice * (kAveragePayoutYen - kTicketUnitPrice);
}

BalanceChart::BalanceChart(QWidget* parent) : QWidget(parent) {
    setObjectName("Chart1");
    lines_ = MakeLineChart(BalanceSetup(), this);
    HoldChart(this, lines_);
}

void BalanceChart::Show(std::span<const BalancePoint> points) {
    if (!lines_) return;
    // Drawn in 万円, so that the axis labels stay short.
    constexpr double kManYen = 10'000;
    QList<QPointF> entered, estimated, expected;
    for (const BalancePoint& p : points) {
        const double x = p.drawNumber;
        entered.append({x, static_cast<double>(p.Balance()) / kManYen});
        estimated.append({x, static_cast<double>(p.BalanceWithEstimates()) / kManYen});
        expected.append({x, static_cast<double>(ExpectedBalanceOf(p.spent)) / kManYen});
    }
    lines_->SetPoints(0, entered);
    lines_->SetPoints(1, estimated);
    lines_->SetPoints(2, expected);
}

void BalanceChart::Render(QPainter& painter, const QRectF& target) {
    RenderHeldChart(this, lines_, painter, target);
}
