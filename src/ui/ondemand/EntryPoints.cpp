// What the program finds in the library by name.
#include "ui/OnDemandLibrary.h"
#include "ui/ondemand/PreviewDialog.h"
#include "ui/ondemand/QtBarChart.h"
#include "ui/ondemand/QtLineChart.h"

extern "C" {

Q_DECL_EXPORT int loto7_on_demand_version() { return kOnDemandLibraryVersion; }

Q_DECL_EXPORT LineChart* loto7_make_line_chart(const LineChartSetup& setup, QWidget* parent) {
    return new QtLineChart(setup, parent);
}

Q_DECL_EXPORT BarChart* loto7_make_bar_chart(const BarChartSetup& setup, QWidget* parent) {
    return new QtBarChart(setup, parent);
}

Q_DECL_EXPORT void loto7_print_preview(const PrintJob& job, QWidget* parent) {
    RunPreviewDialog(job, parent);
}

}  // extern "C"
