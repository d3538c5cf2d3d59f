#pragma once

#include <QChartView>
#include <array>

#include "prediction/Backtest.h"

class QLineSeries;
class QValueAxis;

// How often each method's tickets matched 0 … 7 main numbers, as a share of
// its tickets: one line per method, and one for the shares chance gives
// seven numbers picked at random.  Each method's line can be hidden.
class BacktestChart : public QChartView {
  public:
    explicit BacktestChart(QWidget* parent = nullptr);

    // Draws the shares of the result; null empties every method's line.
    void Show(const BacktestResult* result);
    void SetMethodShown(int method, bool shown);

    QLineSeries* MethodSeries(int method) const { return methods_.at(method); }
    QLineSeries* ChanceSeries() const { return chance_; }

  private:
    // The share axis runs to the next ten per cent above the highest point
    // of the lines shown.
    void FitShareAxis();

    std::array<QLineSeries*, kBacktestMethodCount> methods_{};
    QLineSeries* chance_ = nullptr;
    QValueAxis* shareAxis_ = nullptr;
};
