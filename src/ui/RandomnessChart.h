#pragma once

#include <QChartView>

#include "analysis/RandomnessAnalysis.h"

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

// One test of 乱数性の検定 as bars: what the draws show beside what fair
// draws give on average, category by category.
class RandomnessChart : public QChartView {
  public:
    explicit RandomnessChart(QWidget* parent = nullptr);

    // Draws the bars of `test` of the result; null empties the chart.
    void Show(const RandomnessResult* result, int test);

    QBarSet* Observed() const { return observed_; }
    QBarSet* Expected() const { return expected_; }
    QBarCategoryAxis* Categories() const { return categories_; }

  private:
    QBarSeries* series_ = nullptr;
    QBarSet* observed_ = nullptr;
    QBarSet* expected_ = nullptr;
    QBarCategoryAxis* categories_ = nullptr;
    QValueAxis* countAxis_ = nullptr;
};
