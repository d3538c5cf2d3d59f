#pragma once

#include <QFutureWatcher>
#include <QPromise>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "grid/GridView.h"
#include "prediction/Backtest.h"
#include "ui/ChildWindow.h"

class BacktestChart;
class GridOutput;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

// The window's object name and caption.
inline constexpr const char* kBacktestWindowName = "予想の検証";

// 予想の検証: replays every prediction method over a range of past draws with
// the prediction window's current reflect flags and shows how the tickets
// did against chance, as the back-test table and as a chart of the shares of
// 0 … 7 main matches.  It computes the default range (every draw all methods
// can predict) when it opens, and the chosen range on 実行.
//
// 印刷 prints the table and the chart; the table's right-click menu also
// saves it as CSV, image or PDF.
//
// A run (also the first, when the window opens) works in a worker over its
// own copy of the draws and the flags, so the window and every other window
// stay responsive.  中止 and Esc cancel it within a few draws or a hundred
// simulated histories; closing the window cancels the run and waits for it.
class BacktestWindow : public ChildWindow {
  public:
    explicit BacktestWindow(ChildHost& host, QWidget* parent = nullptr);
    ~BacktestWindow() override;

    void Command1_Click();
    void Command2_Click();
    void Cmd実行_Click();
    void Cmd中止_Click();

    bool Running() const { return running_; }
    // Waits for the run that goes on, if any, and shows its result.
    void WaitForRun();
    const ResultGrid& Grid() const { return grid_; }
    // The last result shown; none when the draws let no method predict.
    const std::optional<BacktestResult>& Result() const { return result_; }
    // What 印刷 and the table's menu print and save.
    GridDocument Document() const;
    GridOutput* Output() const { return output_; }

    QLabel* Label1 = nullptr;         // what the window does
    QPushButton* Command2 = nullptr;  // 印刷, once there is a result
    QPushButton* Command1 = nullptr;  // 閉じる
    QSpinBox* Spin開始回 = nullptr;
    QSpinBox* Spin終了回 = nullptr;
    QPushButton* Cmd実行 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Cmd中止 = nullptr;
    QLabel* Label2 = nullptr;  // what the last run did, or why none ran
    GridView* fpSpread1 = nullptr;
    std::array<QCheckBox*, kBacktestMethodCount> Chk手法{};  // methods drawn in the chart
    BacktestChart* Chart1 = nullptr;

  protected:
    // The default range with the current flags.
    void Compute() override;
    // Starts the run of that range, or says why there is none.
    void Present() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Run;

    // Sets the limits of the range boxes to the draws all methods can predict
    // with the current flags (the first time also their values); false when
    // no draw qualifies.
    bool TakeWholeRange();
    void ShowNoDraws();
    void SetRunning(bool running);
    void StartRun(const BacktestRange& range);
    // The worker ended: shows what it scored.
    void RunEnded();
    void ShowResult();
    // Cancels the run that goes on and waits until the worker has returned.
    void CancelAndWait();
    static void RunInWorker(QPromise<void>& promise, const std::shared_ptr<Run>& run);

    QFutureWatcher<void>* watcher_ = nullptr;
    std::shared_ptr<Run> run_;  // shared with the worker
    GridOutput* output_ = nullptr;
    ResultGrid grid_;
    std::optional<BacktestResult> result_;
    int totalDraws_ = 0;  // draws in the range of the last result
    bool haveRange_ = false;
    bool running_ = false;
};
