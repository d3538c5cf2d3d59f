#include "ui/ChartLibrary.h"

#include "ui/OnDemandLibrary.h"

namespace {

using MakeLineFunction = LineChart* (*)(const LineChartSetup&, QWidget*);
using MakeBarFunction = BarChart* (*)(const BarChartSetup&, QWidget*);

}  // namespace

LineChart* MakeLineChart(const LineChartSetup& setup, QWidget* parent) {
    const auto make = reinterpret_cast<MakeLineFunction>(OnDemandEntry("loto7_make_line_chart"));
    return make ? make(setup, parent) : nullptr;
}

BarChart* MakeBarChart(const BarChartSetup& setup, QWidget* parent) {
    const auto make = reinterpret_cast<MakeBarFunction>(OnDemandEntry("loto7_make_bar_chart"));
    return make ? make(setup, parent) : nullptr;
}

QString ChartLibraryProblem() {
    return QStringLiteral(
               "グラフの部品 %1 を読み込めないため、グラフを表示できません。"
               "プログラムを入れ直してください。\n%2")
        .arg(OnDemandFileName(), OnDemandProblem());
}
