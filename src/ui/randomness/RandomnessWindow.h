#pragma once

#include <memory>
#include <optional>

#include "analysis/RandomnessAnalysis.h"
#include "ui/RangeRunWindow.h"

class QComboBox;
class RandomnessChart;

// 乱数性の検定: tests the stored draws of a chosen range against fair draws
// (nine tests, Holm's adjustment, one conclusion) and charts each test's
// observed against expected figures.  The simulation works in a worker over
// its own copy of the draws.  The whole range runs when the window opens.
//
// 印刷 prints the table and the chart shown; the table's right-click menu
// also saves it as CSV, image or PDF.
class RandomnessWindow : public RangeRunWindow {
  public:
    explicit RandomnessWindow(ChildHost& host, QWidget* parent = nullptr);
    ~RandomnessWindow() override;

    void Cmd実行_Click() override;

    const std::optional<RandomnessResult>& Result() const { return result_; }
    GridDocument Document() const override;

    QComboBox* Cmb検定 = nullptr;  // the test the chart shows
    RandomnessChart* Chart1 = nullptr;

  protected:
    void Compute() override;
    void Present() override;
    void WorkEnded(const QString& failure) override;
    bool HasRange() const override { return whole_.has_value(); }
    bool HasResult() const override { return result_.has_value(); }

  private:
    struct Run;

    void StartRun(const RandomnessRange& range);
    void ShowResult();
    static void RunInWorker(const WorkControl& control, Run& run);

    std::shared_ptr<Run> run_;
    std::optional<RandomnessResult> result_;
    std::optional<RandomnessRange> whole_;
};
