#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;
class QRectF;
class QWidget;

// The program's charts as the windows see them: the charts themselves are
// drawn by Qt Charts in the library loaded on first use (OnDemandLibrary.h).

// A line of a line chart.
struct ChartLine {
    QString name;
    QColor color;
    bool dashed = false;
};

// Lines over a category axis whose categories sit at x = 0, 1, … (without
// categories: a numbered axis that fits the points' x) and a value axis that
// runs from 0, or the multiple of valueStep just below the lowest point when
// that is negative, to the multiple just above the highest point of the
// lines shown.  A valueStep of 0 picks a round step (1, 2 or 5 times a power
// of ten) for about eight steps.
struct LineChartSetup {
    QString title;
    QString categoryTitle;
    QStringList categories;
    QString valueTitle;
    double valueStep = 10;
    std::vector<ChartLine> lines;
};

// What every chart is.
class Chart {
  public:
    virtual ~Chart() = default;
    // The chart's widget, owned by the parent it was made with; deleting it
    // deletes the chart.
    virtual QWidget* Widget() = 0;
    // Paints the chart as shown, scaled into the target (for printing).
    virtual void Render(QPainter& painter, const QRectF& target) = 0;
};

class LineChart : public Chart {
  public:
    virtual void SetPoints(int line, const QList<QPointF>& points) = 0;
    virtual void SetLineShown(int line, bool shown) = 0;

    virtual QList<QPointF> Points(int line) const = 0;
    virtual bool LineShown(int line) const = 0;
    virtual double ValueTop() const = 0;
    virtual double ValueBottom() const = 0;
};

// Two bars a category: what was observed beside what was expected.
struct BarChartSetup {
    QString observedName;
    QColor observedColor;
    QString expectedName;
    QColor expectedColor;
    QString valueTitle;
};

class BarChart : public Chart {
  public:
    // Shows the bars with the title; empty lists empty the chart.
    virtual void Show(const QString& title, const QStringList& categories,
                      const QList<double>& observed, const QList<double>& expected) = 0;

    virtual QString Title() const = 0;
    virtual QStringList Categories() const = 0;
    virtual QList<double> Observed() const = 0;
    virtual QList<double> Expected() const = 0;
};

// Makes a chart, loading the library the first time.  Null when it cannot
// be loaded; ChartLibraryProblem then says why, in Japanese.
LineChart* MakeLineChart(const LineChartSetup& setup, QWidget* parent);
BarChart* MakeBarChart(const BarChartSetup& setup, QWidget* parent);
QString ChartLibraryProblem();
