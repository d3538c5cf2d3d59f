// The charts of the library loaded on first use, made as the windows make
// them.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "ui/ChartLibrary.h"

namespace {

LineChartSetup ThreeLines() {
    return {.title = QStringLiteral("題"),
            .categoryTitle = QStringLiteral("個数"),
            .categories = {QStringLiteral("0個"), QStringLiteral("1個"), QStringLiteral("2個")},
            .valueTitle = QStringLiteral("割合"),
            .valueStep = 10,
            .lines = {{QStringLiteral("甲"), Qt::red, false},
                      {QStringLiteral("乙"), Qt::blue, false},
                      {QStringLiteral("偶然"), Qt::black, true}}};
}

}  // namespace

// The value axis ends on the step just above the highest point of the lines
// shown, and never below one step.
TEST(ChartLibrary, LineChartValueAxisFollowsTheLinesShown) {
    QWidget holder;
    LineChart* chart = MakeLineChart(ThreeLines(), &holder);
    ASSERT_NE(chart, nullptr) << ChartLibraryProblem().toStdString();
    EXPECT_EQ(chart->Widget()->parent(), &holder);
    EXPECT_EQ(chart->ValueTop(), 10);
    chart->SetPoints(0, {{0, 43.5}, {1, 20}, {2, 1}});
    chart->SetPoints(1, {{0, 12}, {1, 30}, {2, 0}});
    chart->SetPoints(2, {{0, 20}, {1, 40}, {2, 40}});
    EXPECT_EQ(chart->ValueTop(), 50);
    chart->SetLineShown(0, false);
    EXPECT_FALSE(chart->LineShown(0));
    EXPECT_EQ(chart->ValueTop(), 40);  // 40 itself is on a step
    chart->SetLineShown(2, false);
    EXPECT_EQ(chart->ValueTop(), 30);
    chart->SetLineShown(1, false);
    EXPECT_EQ(chart->ValueTop(), 10);
    EXPECT_EQ(chart->Points(0), (QList<QPointF>{{0, 43.5}, {1, 20}, {2, 1}}));
}

// Without categories the x axis is numbered; with a step of 0 the value axis
// picks a round one and reaches below 0 for negative points (a balance).
TEST(ChartLibrary, LineChartOfNegativeValuesOverNumberedDraws) {
    QWidget holder;
    LineChart* chart = MakeLineChart({.title = QStringLiteral("収支"),
                                      .categoryTitle = QStringLiteral("回"),
                                      .categories = {},
                                      .valueTitle = QStringLiteral("円"),
                                      .valueStep = 0,
                                      .lines = {{QStringLiteral("収支"), Qt::red, false}}},
                                     &holder);
    ASSERT_NE(chart, nullptr) << ChartLibraryProblem().toStdString();
    chart->SetPoints(0, {{601, -900}, {650, -12'300}, {689, 3'000}});
    // A span of 15,300 cut into eight is 1,912.5: the step is 2,000.
    EXPECT_EQ(chart->ValueBottom(), -14'000);
    EXPECT_EQ(chart->ValueTop(), 4'000);
    chart->SetPoints(0, {{1, 150}});
    EXPECT_EQ(chart->ValueBottom(), 0);
    EXPECT_EQ(chart->ValueTop(), 160);  // steps of 20
}

TEST(ChartLibrary, BarChartShowsAndEmpties) {
    QWidget holder;
    BarChart* chart = MakeBarChart({.observedName = QStringLiteral("実際"),
                                    .observedColor = Qt::blue,
                                    .expectedName = QStringLiteral("期待値"),
                                    .expectedColor = Qt::gray,
                                    .valueTitle = QStringLiteral("回数")},
                                   &holder);
    ASSERT_NE(chart, nullptr) << ChartLibraryProblem().toStdString();
    chart->Show(QStringLiteral("合計"), {QStringLiteral("～99"), QStringLiteral("100～")}, {3, 5},
                {4, 4});
    EXPECT_EQ(chart->Title(), QStringLiteral("合計"));
    EXPECT_EQ(chart->Categories(), (QStringList{QStringLiteral("～99"), QStringLiteral("100～")}));
    EXPECT_EQ(chart->Observed(), (QList<double>{3, 5}));
    EXPECT_EQ(chart->Expected(), (QList<double>{4, 4}));
    chart->Show({}, {}, {}, {});
    EXPECT_TRUE(chart->Title().isEmpty());
    EXPECT_TRUE(chart->Categories().isEmpty());
    EXPECT_TRUE(chart->Observed().isEmpty());
    EXPECT_TRUE(chart->Expected().isEmpty());
}
