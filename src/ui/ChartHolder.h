#pragma once

class Chart;
class QPainter;
class QRectF;
class QWidget;

// The widget a window places a chart in.  Fills it edge to edge with the
// chart; without one (the library could not be loaded) with what
// ChartLibraryProblem says, and tells the user so once a run of the
// program, after the window opened.
void HoldChart(QWidget* holder, Chart* chart);

// Paints the held chart as shown, or the text in its place as it stands,
// scaled into the target.
void RenderHeldChart(QWidget* holder, Chart* chart, QPainter& painter, const QRectF& target);
