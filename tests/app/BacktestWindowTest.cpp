#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <functional>

#include "AppTestSupport.h"
#include "app/MainFrm.h"
#include "data/CsvImport.h"
#include "data/SyntheticHistory.h"
#include "prediction/ReflectionShift.h"
#include "support/TestSupport.h"
#include "ui/AnalysisWindow.h"
#include "ui/ChartLibrary.h"
#include "ui/Messages.h"
#include "ui/WorkerPool.h"
#include "ui/backtest/BacktestChart.h"
#include "ui/backtest/BacktestWindow.h"

namespace {

const QString kWindowName = QStringLiteral("予想の検証");

class BacktestWindowTest : public MainWindowTest {
  protected:
    // The main window over a database imported from csvPath.
    void Start(const std::string& csvPath) { StartMain(csvPath, true); }
    void StartSynthetic(int draws) {
        const std::string csv = dir.File("synthetic.csv");
        WriteFile(csv, SyntheticHistoryCsv(draws));
        Start(csv);
    }
    // Opens the window and waits for the run of the default range.
    BacktestWindow* Open() {
        main->Command("mnuYosoKensho")->trigger();
        QMdiSubWindow* frame = main->FindChildWindow(kWindowName);
        auto* window = frame ? dynamic_cast<BacktestWindow*>(frame->widget()) : nullptr;
        if (window) window->WaitForRun();
        return window;
    }
    // Opens the window and stops the run of the default range at once.
    BacktestWindow* OpenStopped() {
        main->Command("mnuYosoKensho")->trigger();
        QMdiSubWindow* frame = main->FindChildWindow(kWindowName);
        auto* window = frame ? dynamic_cast<BacktestWindow*>(frame->widget()) : nullptr;
        if (!window) return nullptr;
        QTest::mouseClick(window->Cmd中止, Qt::LeftButton);
        window->WaitForRun();
        return window;
    }
    // Clicks 実行 and, once the run has replayed a quarter of its draws,
    // lets `during` run as a click of the user would, then waits until the
    // run has ended (or the window is gone).  Returns the most draws the
    // progress bar showed replayed, and the draws of the range.
    std::pair<int, int> RunAndMeanwhile(BacktestWindow& window,
                                        const std::function<void()>& during) {
        const QPointer<BacktestWindow> alive(&window);
        QTest::mouseClick(window.Cmd実行, Qt::LeftButton);
        EXPECT_TRUE(window.Running());
        // The bar counts the replayed draws and then the simulation as many again.
        const auto replayed = [&] { return window.ProgressBar1->value(); };
        const auto total = [&] { return window.ProgressBar1->maximum() / 2; };
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return total() > 1 && replayed() >= total() / 4; }, 60000));
        const int most = replayed(), all = total();
        during();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !alive || !alive->Running(); }, 60000));
        return {most, all};
    }
};

std::string Cell(const ResultGrid& grid, int column, int row) { return grid.ReadCell(column, row); }

TEST_F(BacktestWindowTest, OpensFromTheMenuWithTheDefaultRangeAndRunsTheChosenRange) {
    Start(BundledCsvPath());
    EXPECT_EQ(main->findChild<QMenu*>("mnuMain")->actions().last(), main->Command("mnuYosoKensho"));
    BacktestWindow* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), kWindowName);
    EXPECT_FALSE(main->propEnd());
    EXPECT_TRUE(window->Command2->isEnabled());

    const std::optional<BacktestRange> whole =
        DefaultBacktestRange(globals.Draws, main->PredictionOptions());
    ASSERT_TRUE(whole);
    EXPECT_EQ(window->Spin開始回->value(), whole->from);
    EXPECT_EQ(window->Spin終了回->value(), whole->to);
    EXPECT_EQ(window->Spin開始回->minimum(), whole->from);
    EXPECT_EQ(window->Spin終了回->maximum(), whole->to);

    const ResultGrid& grid = window->Grid();
    EXPECT_EQ(window->fpSpread1->Grid(), &grid);
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        EXPECT_EQ(Cell(grid, 1, 3 + method), BacktestMethodName(method));
    }
    EXPECT_NE(
        Cell(grid, 2, 1)
            .find("第" + std::to_string(whole->from) + "回～第" + std::to_string(whole->to) + "回"),
        std::string::npos);

    const LineChart* lines = window->Chart1->Lines();
    ASSERT_NE(lines, nullptr) << ChartLibraryProblem().toStdString();
    for (int method = 0; method <= kBacktestMethodCount; ++method) {
        EXPECT_EQ(lines->Points(method).size(), kTicketSize + 1) << method;
    }
    window->Chk手法[2]->click();
    EXPECT_FALSE(lines->LineShown(2));

    // A flag set in the prediction window counts on the next run.
    main->PredictionOptions().SetFlag(1, true);
    const int shift = ComputeReflectionShift(main->PredictionOptions());
    ASSERT_GT(shift, 0);
    window->Spin開始回->setValue(600);
    window->Spin終了回->setValue(650);
    QTest::mouseClick(window->Cmd実行, Qt::LeftButton);
    window->WaitForRun();
    const int simulated = window->Result()->familySimulations;
    ASSERT_LT(simulated, 100000);
    EXPECT_EQ(Cell(grid, 2, 1),
              "第600回～第650回の51回を検証（参考にする回のずれ " + std::to_string(shift) +
                  "回）　7手法の補正：偶然の抽せん" + std::to_string(simulated) +
                  "通りのシミュレーション（答えがはっきりした所で終了、最大100000通り、シード "
                  "20260701）");
    EXPECT_EQ(window->Result()->draws, 51);

    EXPECT_EQ(Open(), window);
    int named = 0;
    for (QMdiSubWindow* child : main->MdiArea()->subWindowList()) {
        named += child->widget()->objectName() == kWindowName;
    }
    EXPECT_EQ(named, 1);
    window->Command1->click();
    QApplication::processEvents();
    EXPECT_EQ(main->FindChildWindow(kWindowName), nullptr);
    EXPECT_TRUE(main->propEnd());
}

TEST_F(BacktestWindowTest, StopEndsALongRunEarlyAndShowsWhatItScored) {
    StartSynthetic(3000);
    main->Command("mnuBaratsuki")->trigger();
    auto* other = dynamic_cast<AnalysisWindow*>(
        main->FindChildWindow(QStringLiteral("バラツキ分析"))->widget());
    BacktestWindow* window = OpenStopped();
    ASSERT_NE(window, nullptr);
    const int total = window->Spin終了回->value() - window->Spin開始回->value() + 1;
    ASSERT_GT(total, 2900);

    // 中止 before the worker has even begun (every thread of the workers'
    // pool is held busy meanwhile): the replay still begins, ends at its
    // first step and shows what it scored.  The window still paints, since
    // painting does not wait for that pool.
    QThreadPool& pool = WorkerPool();
    QSemaphore release;
    for (int i = 0; i < pool.maxThreadCount(); ++i) pool.start([&] { release.acquire(); });
    window->Cmd実行->click();
    EXPECT_TRUE(window->Running());
    window->repaint();
    EXPECT_FALSE(window->Cmd実行->isEnabled());
    EXPECT_FALSE(window->Spin開始回->isEnabled());
    EXPECT_FALSE(window->Command2->isEnabled());
    window->Cmd中止->click();
    release.release(pool.maxThreadCount());
    window->WaitForRun();
    const BacktestResult& result = *window->Result();
    EXPECT_EQ(window->ProgressBar1->maximum(), total);
    EXPECT_FALSE(result.completed);
    EXPECT_LT(result.draws, total);
    EXPECT_TRUE(window->Label2->text().startsWith(QStringLiteral("中止しました。")))
        << window->Label2->text().toStdString();
    EXPECT_NE(Cell(window->Grid(), 2, 1).find("途中で中止しました"), std::string::npos);
    EXPECT_TRUE(window->Cmd実行->isEnabled());
    EXPECT_FALSE(window->Cmd中止->isEnabled());

    // Esc cancels too; a run stopped during the simulation keeps its
    // figures and says the adjustment for seven methods is missing.
    QTest::mouseClick(window->Cmd実行, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->ProgressBar1->value() > window->ProgressBar1->maximum() / 2; },
        60000));
    // The run works in the background: the other windows answer meanwhile.
    QTest::mouseClick(other->Command1, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(main->FindChildWindow(QStringLiteral("バラツキ分析")), nullptr);
    EXPECT_TRUE(window->Running());
    QTest::keyClick(window, Qt::Key_Escape);
    window->WaitForRun();
    EXPECT_TRUE(window->Result()->completed);
    EXPECT_EQ(window->Result()->familySimulations, 0);
    EXPECT_TRUE(window->Label2->text().contains(QStringLiteral("補正は計算していません")))
        << window->Label2->text().toStdString();
}

TEST_F(BacktestWindowTest, ClosingDuringARunStopsItFirst) {
    StartSynthetic(3000);
    BacktestWindow* window = OpenStopped();
    ASSERT_NE(window, nullptr);
    QPointer<BacktestWindow> guard(window);
    const auto [most, total] =
        RunAndMeanwhile(*window, [&] { main->FindChildWindow(kWindowName)->close(); });
    EXPECT_LT(most, 2 * total);  // closed before the run (replay and simulation) ended
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(main->propEnd());

    // A window destroyed outright during a run ends the run, which then
    // leaves it alone.
    window = OpenStopped();
    ASSERT_NE(window, nullptr);
    guard = window;
    const auto [mostBeforeDeletion, totalBeforeDeletion] =
        RunAndMeanwhile(*window, [&] { delete main->FindChildWindow(kWindowName); });
    EXPECT_TRUE(guard.isNull());
    EXPECT_LT(mostBeforeDeletion, 2 * totalBeforeDeletion);

    // Closing the main window closes its child windows first: the back-test
    // window stops its run and goes with them.
    window = OpenStopped();
    ASSERT_NE(window, nullptr);
    guard = window;
    RunAndMeanwhile(*window, [&] { main->close(); });
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(guard.isNull() || !guard->Running());
}

// The window shows its run as it opens and hands the work to a worker once
// it has been painted and the program is back in an event loop: nothing but
// the event loop starts and ends it.  The worker sends the bar's range once,
// not with every draw it reports.
TEST_F(BacktestWindowTest, TheRunOfTheDefaultRangeStartsOnceTheWindowIsShown) {
    StartSynthetic(120);
    main->Command("mnuYosoKensho")->trigger();
    auto* window = dynamic_cast<BacktestWindow*>(main->FindChildWindow(kWindowName)->widget());
    ASSERT_NE(window, nullptr);
    auto* watcher = window->findChild<QFutureWatcherBase*>();
    ASSERT_NE(watcher, nullptr);
    QSignalSpy ranges(watcher, &QFutureWatcherBase::progressRangeChanged);
    EXPECT_TRUE(window->Running());
    EXPECT_TRUE(window->Cmd中止->isEnabled());
    EXPECT_FALSE(window->Result());

    // Painted, while other windows could still be opening: the run waits.
    window->repaint();
    QApplication::processEvents();
    EXPECT_TRUE(window->RunWaiting());
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(window->RunWaiting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Running(); }, 60000));
    ASSERT_TRUE(window->Result());
    EXPECT_TRUE(window->Result()->completed);
    EXPECT_GT(window->Result()->familySimulations, 0);
    EXPECT_TRUE(window->Label2->text().endsWith(QStringLiteral("回を検証しました。")))
        << window->Label2->text().toStdString();
    // Qt's own (0, 0) as the watcher takes the future, then the run's.
    ASSERT_LE(ranges.count(), 2);
    ASSERT_GE(ranges.count(), 1);
    EXPECT_EQ(ranges.last().at(1).toInt(), 2 * window->Result()->draws);
}

TEST_F(BacktestWindowTest, TooFewDrawsSaySoAndShowAnEmptyGrid) {
    StartSynthetic(15);
    BacktestWindow* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->Result());
    EXPECT_EQ(window->Grid().RowCount(), 0);
    EXPECT_TRUE(window->Label2->text().startsWith(
        QStringLiteral("すべての手法が予想できるだけの当選データがないため")));
    EXPECT_FALSE(window->Spin開始回->isEnabled());
    QTest::mouseClick(window->Cmd実行, Qt::LeftButton);
    EXPECT_FALSE(window->Result());
    for (const QString& message : RecordedMessages()) {
        EXPECT_FALSE(message.contains(QStringLiteral("検証"))) << message.toStdString();
    }
}

}  // namespace
