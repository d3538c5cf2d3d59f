#pragma once

#include <QChartView>
#include <vector>

#include "ui/ChartLibrary.h"

class QLineSeries;
class QValueAxis;

// A line chart drawn by Qt Charts (see LineChartSetup).
class QtLineChart : public QChartView, public LineChart {
  public:
    QtLineChart(const LineChartSetup& setup, QWidget* parent);

    QWidget* Widget() override { return this; }
    void Render(QPainter& painter, const QRectF& target) override { render(&painter, target); }
    void SetPoints(int line, const QList<QPointF>& points) override;
    void SetLineShown(int line, bool shown) override;

    QList<QPointF> Points(int line) const override;
    bool LineShown(int line) const override;
    double ValueTop() const override;
    double ValueBottom() const override;

  private:
    // The value axis runs from the step just below the lowest point (0 at
    // most) to the step just above the highest point of the lines shown; a
    // numbered x axis spans the points.
    void FitValueAxis();
    void FitNumberAxis();

    std::vector<QLineSeries*> lines_;
    QValueAxis* valueAxis_ = nullptr;
    QValueAxis* numberAxis_ = nullptr;  // the x axis when there are no categories
    double valueStep_ = 10;
};
