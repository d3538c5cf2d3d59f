#include "ui/backtest/BacktestWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <atomic>

#include "backtest/BacktestFamily.h"
#include "backtest/BacktestGrid.h"
#include "core/FigureText.h"
#include "core/GlobalBas.h"
#include "core/QtConversions.h"
#include "grid/Twips.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"
#include "ui/backtest/BacktestChart.h"

namespace {

constexpr int kWidthTwips = 17700;
constexpr int kHeightTwips = 13200;
constexpr int kEmptyGridHeightTwips = 2700;
constexpr int kChartMinimumHeightTwips = 4500;

const QString kNoDrawsText = QStringLiteral(
    "すべての手法が予想できるだけの当選データがないため、予想を検証できません。"
    "当選データを増やすか、予想の「反映する」の数を減らしてください。");

}  // namespace

// What a run reads and what it scored.  The worker owns it until it
// returns; the window reads the result only after that.
struct BacktestWindow::Run {
    DrawStore draws;
    ReflectOptions options;
    BacktestRange range;
    BacktestResult result;
    int total = 0;  // draws in the range
};

BacktestWindow::BacktestWindow(ChildHost& host, QWidget* parent)
    : RangeRunWindow(
          host,
          ToolWindowSetup(kBacktestWindowName, kWidthTwips, kHeightTwips, PendingEvents::Never),
          {.description = QStringLiteral("過去の当選データで各手法の予想をやり直し、当たり具合を"
                                         "偶然と比べます（予想の「反映する」の設定で計算します）"),
           .rangeLead = QStringLiteral("検証する回：第"),
           .running = QStringLiteral("検証しています…")},
          parent) {
    Chart1 = new BacktestChart(this);
    auto* methods = new QHBoxLayout();
    methods->addWidget(new QLabel(QStringLiteral("グラフに表示する手法："), this));
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        Chk手法[method] = new QCheckBox(FromView(BacktestMethodName(method)), this);
        Chk手法[method]->setObjectName(QStringLiteral("Chk手法%1").arg(method));
        Chk手法[method]->setChecked(true);
        connect(Chk手法[method], &QCheckBox::toggled, this,
                [this, method](bool on) { Chart1->SetMethodShown(method, on); });
        methods->addWidget(Chk手法[method]);
    }
    methods->addStretch();
    AddChart(methods, Chart1, kChartMinimumHeightTwips);
}

// The worker ends before the result it would write goes.
BacktestWindow::~BacktestWindow() { CancelAndWait(); }

void BacktestWindow::Compute() {
    result_.reset();
    TakeWholeRange();
}

void BacktestWindow::Present() {
    if (!haveRange_) {
        ShowNoDraws();
        return;
    }
    StartRun({Spin開始回->value(), Spin終了回->value()});
}

void BacktestWindow::ShowResult() {
    if (!result_) {
        ShowNoDraws();
        return;
    }
    WriteBacktestGrid(*result_, grid_);
    ShowGrid();
    Chart1->Show(&*result_);
    Command2->setEnabled(!Running());
    ProgressBar1->setRange(0, std::max(1, totalDraws_));
    ProgressBar1->setValue(result_->draws);
    const BacktestRange& range = result_->range;
    if (result_->completed && result_->familySimulations == 0) {
        Label2->setText(QStringLiteral("中止しました。%1を検証しましたが、"
                                       "7手法をまとめた補正は計算していません。")
                            .arg(FromView(DrawSpanText(range.from, range.to, result_->draws))));
    } else if (result_->completed) {
        Label2->setText(QStringLiteral("%1を検証しました。")
                            .arg(FromView(DrawSpanText(range.from, range.to, result_->draws))));
    } else {
        Label2->setText(QStringLiteral("中止しました。%1のうち、検証できた%2回分の結果です。")
                            .arg(FromView(DrawSpanText(range.from, range.to, totalDraws_)))
                            .arg(result_->draws));
    }
}

void BacktestWindow::ShowNoDraws() {
    grid_ = ResultGrid();
    fpSpread1->SetGrid(&grid_);
    fpSpread1->setFixedHeight(TwipsToPixels(kEmptyGridHeightTwips, this));
    Chart1->Show(nullptr);
    Command2->setEnabled(false);
    ProgressBar1->reset();
    Label2->setText(kNoDrawsText);
}

bool BacktestWindow::TakeWholeRange() {
    const std::optional<BacktestRange> whole =
        DefaultBacktestRange(Host().Snapshot().Draws, Host().PredictionOptions());
    if (!whole) {
        haveRange_ = false;
        Spin開始回->setEnabled(false);
        Spin終了回->setEnabled(false);
        return false;
    }
    // A new range keeps the draws chosen, moved inside it where needed.
    for (QSpinBox* box : {Spin開始回, Spin終了回}) {
        box->setRange(whole->from, whole->to);
        box->setEnabled(true);
    }
    if (!haveRange_) {
        Spin開始回->setValue(whole->from);
        Spin終了回->setValue(whole->to);
    }
    haveRange_ = true;
    return true;
}

GridDocument BacktestWindow::Document() const {
    return TableAndChart(kBacktestGridName, Chart1, result_.has_value());
}

void BacktestWindow::Cmd実行_Click() {
    if (Running()) return;
    if (!TakeWholeRange()) {
        result_.reset();
        ShowResult();
        return;
    }
    const BacktestRange range{Spin開始回->value(), Spin終了回->value()};
    if (range.from > range.to) {
        ShowMessage(this, QStringLiteral("最初の回が最後の回より後になっています。"));
        return;
    }
    StartRun(range);
}

void BacktestWindow::StartRun(const BacktestRange& range) {
    run_ = std::make_shared<Run>();
    run_->draws = Host().Snapshot().Draws;
    run_->options = Host().PredictionOptions();
    run_->range = range;
    StartWork([run = run_](const WorkControl& control) { RunInWorker(control, *run); });
}

void BacktestWindow::WorkEnded(const QString& failure) {
    const std::shared_ptr<Run> run = std::move(run_);
    if (!failure.isEmpty()) {
        ShowMessage(this, failure);
        return;
    }
    result_ = std::move(run->result);
    totalDraws_ = run->total;
    ShowResult();
}

void BacktestWindow::RunningChanged(bool running) {
    for (QCheckBox* box : Chk手法) box->setEnabled(!running);
}

// The replay counts the draws of the range, the family adjustment as many again.
void BacktestWindow::RunInWorker(const WorkControl& control, Run& run) {
    run.result = ReplayBacktest(run.draws, run.options, run.range, [&](int done, int total) {
        // Each range sent is an event the window handles: it is sent with the
        // report at the start of the run, not with every one.
        if (done == 0) {
            run.total = total;
            control.SetRange(2 * std::max(1, total));
        }
        control.Report(done);
        return !control.StopAsked();
    });
    // A closing window waits for this worker: summing thousands of draws'
    // laws for nobody would keep it waiting.
    if (control.Discarded()) return;
    SumTotalLaws(run.result);
    if (!run.result.completed) return;
    AddFamilyPValues(run.result, kFamilySimulations, kFamilySeed, [&](int done, int all) {
        control.Report(run.total +
                       static_cast<int>(static_cast<long long>(run.total) * done / all));
        return !control.StopAsked();
    });
}
