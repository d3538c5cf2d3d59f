#pragma once

#include <array>
#include <memory>
#include <optional>

#include "backtest/Backtest.h"
#include "ui/RangeRunWindow.h"

class BacktestChart;
class QCheckBox;

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
// simulated histories.
class BacktestWindow : public RangeRunWindow {
  public:
    explicit BacktestWindow(ChildHost& host, QWidget* parent = nullptr);
    ~BacktestWindow() override;

    void Cmd実行_Click() override;

    // The last result shown; none when the draws let no method predict.
    const std::optional<BacktestResult>& Result() const { return result_; }
    GridDocument Document() const override;

    std::array<QCheckBox*, kBacktestMethodCount> Chk手法{};  // methods drawn in the chart
    BacktestChart* Chart1 = nullptr;

  protected:
    // The default range with the current flags.
    void Compute() override;
    // Starts the run of that range, or says why there is none.
    void Present() override;
    void WorkEnded(const QString& failure) override;
    bool HasRange() const override { return haveRange_; }
    bool HasResult() const override { return result_.has_value(); }
    void RunningChanged(bool running) override;

  private:
    struct Run;

    // Sets the limits of the range boxes to the draws all methods can predict
    // with the current flags (the first time also their values); false when
    // no draw qualifies.
    bool TakeWholeRange();
    void ShowNoDraws();
    void StartRun(const BacktestRange& range);
    void ShowResult();
    static void RunInWorker(const WorkControl& control, Run& run);

    std::shared_ptr<Run> run_;  // shared with the worker
    std::optional<BacktestResult> result_;
    int totalDraws_ = 0;  // draws in the range of the last result
    bool haveRange_ = false;
};
