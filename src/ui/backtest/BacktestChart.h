#pragma once

#include <QWidget>

#include "backtest/Backtest.h"

class LineChart;

// How often each method's tickets matched 0 … 7 main numbers, as a share of
// its tickets: one line per method, and one for the shares chance gives
// seven numbers picked at random.  Each method's line can be hidden.  The
// chart itself comes from the library loaded on first use
// (OnDemandLibrary.h); where that cannot be loaded, the widget says so in
// its place.
class BacktestChart : public QWidget {
  public:
    explicit BacktestChart(QWidget* parent = nullptr);

    // Draws the shares of the result; null empties every method's line.
    void Show(const BacktestResult* result);
    void SetMethodShown(int method, bool shown);

    // Lines 0 … 6 are the methods', line 7 chance's; null without the library.
    const LineChart* Lines() const { return lines_; }

    // Paints the chart as shown, scaled into the target (for printing); the
    // text in place of a missing chart is painted as it stands.
    void Render(QPainter& painter, const QRectF& target);

  private:
    LineChart* lines_ = nullptr;
};
