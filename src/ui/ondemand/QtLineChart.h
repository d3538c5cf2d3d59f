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

  private:
    // The value axis runs to the step just above the highest point of the
    // lines shown.
    void FitValueAxis();

    std::vector<QLineSeries*> lines_;
    QValueAxis* valueAxis_ = nullptr;
    double valueStep_ = 10;
};
