#pragma once

#include <QWidget>

#include "analysis/RandomnessAnalysis.h"

class BarChart;

// One test of 乱数性の検定 as bars: what the draws show beside what fair
// draws give on average, category by category.  The chart itself comes
// from the library loaded on first use (OnDemandLibrary.h); where that
// cannot be loaded, the widget says so in its place.
class RandomnessChart : public QWidget {
  public:
    explicit RandomnessChart(QWidget* parent = nullptr);

    // Draws the bars of `test` of the result; null empties the chart.
    void Show(const RandomnessResult* result, int test);

    // Null without the library.
    const BarChart* Bars() const { return bars_; }

    // Paints the chart as shown, scaled into the target (for printing); the
    // text in place of a missing chart is painted as it stands.
    void Render(QPainter& painter, const QRectF& target);

  private:
    BarChart* bars_ = nullptr;
};
