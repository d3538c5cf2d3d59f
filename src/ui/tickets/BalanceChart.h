#pragma once

#include <QWidget>
#include <span>

#include "tickets/TicketMoney.h"

class LineChart;

// The running balance of the ticket book over the draws: the balance of the
// entered prizes, the balance with the estimates of those not entered, and
// the balance a player of random tickets would expect (45 % of the spending
// back, so −55 % of it), in 万円.  The chart comes from the library loaded on first
// use; where that cannot be loaded, the widget says so in its place.
class BalanceChart : public QWidget {
  public:
    explicit BalanceChart(QWidget* parent = nullptr);

    void Show(std::span<const BalancePoint> points);

    // Lines 0 (entered), 1 (with estimates), 2 (expected); null without the library.
    const LineChart* Lines() const { return lines_; }
    void Render(QPainter& painter, const QRectF& target);

  private:
    LineChart* lines_ = nullptr;
};

// The balance a player of random tickets expects after spending this much.
std::int64_t ExpectedBalanceOf(std::int64_t spent);
