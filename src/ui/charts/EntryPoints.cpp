// What the program finds in the chart library by name.
#include "ui/charts/QtBarChart.h"
#include "ui/charts/QtLineChart.h"

extern "C" {

Q_DECL_EXPORT int loto7_chart_library_version() { return kChartLibraryVersion; }

Q_DECL_EXPORT LineChart* loto7_make_line_chart(const LineChartSpec& spec, QWidget* parent) {
    return new QtLineChart(spec, parent);
}

Q_DECL_EXPORT BarChart* loto7_make_bar_chart(const BarChartSpec& spec, QWidget* parent) {
    return new QtBarChart(spec, parent);
}

}  // extern "C"
