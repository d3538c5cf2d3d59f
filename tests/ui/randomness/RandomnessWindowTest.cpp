#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "data/SyntheticHistory.h"
#include "support/TestSupport.h"
#include "support/WindowHost.h"
#include "ui/ChartLibrary.h"
#include "ui/randomness/RandomnessChart.h"
#include "ui/randomness/RandomnessWindow.h"

namespace {

class RandomnessWindowTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<WindowHost> host;

    void Start(const std::string& csv) { host = std::make_unique<WindowHost>(csv); }
    void StartSynthetic(int draws) {
        const std::string csv = dir.File("synthetic.csv");
        WriteFile(csv, SyntheticHistoryCsv(draws));
        Start(csv);
    }
    RandomnessWindow* Open() { return host->Open<RandomnessWindow>(); }
};

TEST_F(RandomnessWindowTest, TestsTheWholeHistoryOnOpeningAndTheChosenRangeOnRun) {
    Start(BundledCsvPath());
    RandomnessWindow* window = Open();
    EXPECT_FALSE(host->propEnd);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Running());
    window->WaitForRun();
    ASSERT_TRUE(window->Result());
    EXPECT_EQ(window->Result()->draws, 689);
    const ResultGrid& grid = window->Grid();
    EXPECT_EQ(grid.ReadCell(1, 3), "本数字の出現回数");
    EXPECT_EQ(grid.ReadCell(1, 11), "合計の上下の並び");
    EXPECT_EQ(grid.ReadCell(1, 12), "結論");
    EXPECT_EQ(grid.ReadCell(2, 12), "抽せんは公平なものと矛盾しません。");
    EXPECT_TRUE(window->Command2->isEnabled());
    // A finished run shows a full bar, whichever progress reports arrived.
    EXPECT_EQ(window->ProgressBar1->value(), window->ProgressBar1->maximum());

    // The chart shows the test chosen: 37 numbers, then ten sum bins.
    const BarChart* bars = window->Chart1->Bars();
    ASSERT_NE(bars, nullptr) << ChartLibraryProblem().toStdString();
    EXPECT_EQ(bars->Observed().size(), 37);
    EXPECT_NEAR(bars->Expected().at(0), 689 * 7.0 / 37, 1e-9);
    window->Cmb検定->setCurrentIndex(kSumTest);
    EXPECT_EQ(bars->Categories().size(), kSumBins);
    EXPECT_EQ(bars->Categories().at(0).left(3), QStringLiteral("28～"));

    window->Spin開始回->setValue(101);
    window->Spin終了回->setValue(300);
    QTest::mouseClick(window->Cmd実行, Qt::LeftButton);
    window->WaitForRun();
    EXPECT_EQ(window->Result()->draws, 200);
    EXPECT_EQ(window->Label2->text(), QStringLiteral("第101回～第300回の200回を検定しました。"));
    EXPECT_EQ(bars->Categories().size(), kSumBins);  // the choice stays
}

TEST_F(RandomnessWindowTest, StopAndCloseEndTheWorkerAtOnce) {
    StartSynthetic(5000);
    RandomnessWindow* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->ProgressBar1->value() > 0; }, 60000));
    QTest::mouseClick(window->Cmd中止, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Running(); }, 60000));
    EXPECT_FALSE(window->Result());
    EXPECT_EQ(window->Label2->text(), QStringLiteral("中止しました。"));
    EXPECT_TRUE(window->Cmd実行->isEnabled());
    EXPECT_FALSE(window->Cmd中止->isEnabled());

    // Closing during a run cancels it and waits: the window goes, nothing hangs.
    QTest::mouseClick(window->Cmd実行, Qt::LeftButton);
    ASSERT_TRUE(window->Running());
    const QPointer<RandomnessWindow> guard(window);
    host->area.subWindowList().front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(host->propEnd);
}

}  // namespace
