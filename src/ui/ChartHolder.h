#pragma once

class QPainter;
class QRectF;
class QWidget;

// The widget a window places a chart in, filled edge to edge by the chart.
void FillWith(QWidget* holder, QWidget* chart);

// Fills the holder with what ChartLibraryProblem says in place of the chart,
// and tells the user once a run of the program, after the window opened.
void ShowMissingChart(QWidget* holder);

// Paints the holder as it is on screen, scaled into the target.
void RenderAsShown(QWidget* holder, QPainter& painter, const QRectF& target);
