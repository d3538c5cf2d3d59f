#pragma once

#include <QFutureWatcher>
#include <QPromise>
#include <QWidget>
#include <memory>
#include <optional>

#include "analysis/RandomnessAnalysis.h"
#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "grid/GridView.h"
#include "ui/ChildWindow.h"

class GridOutput;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class RandomnessChart;

// 乱数性の検定: tests the stored draws of a chosen range against fair draws
// (nine tests, Holm's adjustment, one conclusion) and charts each test's
// observed against expected figures.  The simulation works in a worker over
// its own copy of the draws: 中止 or Esc cancels it, closing the window
// cancels it and waits.  The whole range runs when the window opens.
//
// 印刷 prints the table and the chart shown; the table's right-click menu
// also saves it as CSV, image or PDF.
class RandomnessWindow : public ChildWindow {
  public:
    explicit RandomnessWindow(ChildHost& host, QWidget* parent = nullptr);
    ~RandomnessWindow() override;

    void Command1_Click();
    void Command2_Click();
    void Cmd実行_Click();
    void Cmd中止_Click();

    bool Running() const { return running_; }
    // Waits for the run that goes on, if any, and shows its result.
    void WaitForRun();
    const ResultGrid& Grid() const { return grid_; }
    const std::optional<RandomnessResult>& Result() const { return result_; }
    GridDocument Document() const;
    GridOutput* Output() const { return output_; }

    QLabel* Label1 = nullptr;
    QPushButton* Command2 = nullptr;  // 印刷
    QPushButton* Command1 = nullptr;  // 閉じる
    QSpinBox* Spin開始回 = nullptr;
    QSpinBox* Spin終了回 = nullptr;
    QPushButton* Cmd実行 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Cmd中止 = nullptr;
    QLabel* Label2 = nullptr;
    GridView* fpSpread1 = nullptr;
    QComboBox* Cmb検定 = nullptr;  // the test the chart shows
    RandomnessChart* Chart1 = nullptr;

  protected:
    void Compute() override;
    void Present() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Run;

    void SetRunning(bool running);
    void StartRun(const RandomnessRange& range);
    void RunEnded();
    void ShowResult();
    void CancelAndWait();
    static void RunInWorker(QPromise<void>& promise, const std::shared_ptr<Run>& run);

    QFutureWatcher<void>* watcher_ = nullptr;
    std::shared_ptr<Run> run_;
    GridOutput* output_ = nullptr;
    ResultGrid grid_;
    std::optional<RandomnessResult> result_;
    std::optional<RandomnessRange> whole_;
    bool running_ = false;
};
