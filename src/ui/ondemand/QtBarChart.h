#pragma once

#include <QChartView>

#include "ui/ChartLibrary.h"

class QBarCategoryAxis;
class QBarSet;
class QValueAxis;

// A bar chart drawn by Qt Charts (see BarChartSetup).
class QtBarChart : public QChartView, public BarChart {
  public:
    QtBarChart(const BarChartSetup& setup, QWidget* parent);

    QWidget* Widget() override { return this; }
    void Render(QPainter& painter, const QRectF& target) override { render(&painter, target); }
    void Show(const QString& title, const QStringList& categories, const QList<double>& observed,
              const QList<double>& expected) override;

    QString Title() const override;
    QStringList Categories() const override;
    QList<double> Observed() const override;
    QList<double> Expected() const override;

  private:
    QBarSet* observed_ = nullptr;
    QBarSet* expected_ = nullptr;
    QBarCategoryAxis* categories_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
};
